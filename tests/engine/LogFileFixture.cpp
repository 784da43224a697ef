#include "tests/engine/LogFileFixture.h"

#include <fstream>
#include <iterator>

#include "engine/ResultLog.h"

void LogFileTest::SetUp() {
  RegistryTest::SetUp();
  DeleteFileA(LogPath().c_str());
}

void LogFileTest::TearDown() {
  DeleteFileA(LogPath().c_str());
  RegistryTest::TearDown();
}

std::string LogFileTest::LogPath() {
  std::string path;
  CResultLog::FilePath(path);
  return path;
}

bool LogFileTest::LogExists() {
  return GetFileAttributesA(LogPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string LogFileTest::LogText() {
  std::ifstream file(LogPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void LogFileTest::WriteLogText(const std::string& text) {
  std::ofstream file(LogPath(), std::ios::binary | std::ios::trunc);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
}
