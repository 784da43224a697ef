// What ends Velotune.exe when an exception escapes everything (every thread
// and window procedure catches all, so this is a last resort): GCC's C++
// runtime would print the exception's demangled type name to the standard
// error stream first - a stream a windowed program does not have - and its
// demangler makes up some 50 KB of the program. Ending at once is all the
// user would see either way.
#include <cstdlib>
#include <exception>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
