// Window driving for the end-to-end tests (see WindowDriver.h).
#include "tests/e2e/WindowDriver.h"

#include <commctrl.h>

#include <fstream>
#include <functional>

namespace e2e {
namespace {

const DWORD kPollMs = 20;

bool Poll(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
}

struct WindowSearch {
  std::string className;
  std::string title;
  int childId;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  char className[256] = {};
  GetClassNameA(window, className, sizeof(className));
  if (!search->className.empty() && search->className != className) return TRUE;
  if (!search->title.empty() && search->title != Text(window)) return TRUE;
  if (search->childId != 0 && FindChild(window, search->childId) == nullptr) return TRUE;
  search->found = window;
  return FALSE;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM parameter) {
  auto* search = reinterpret_cast<ChildSearch*>(parameter);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

// Memory in another process, freed when the object goes.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr) {
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) {
    SIZE_T written = 0;
    return offset + size <= size_ && WriteProcessMemory(process_, Address(offset), data, size, &written);
  }
  bool Read(size_t offset, void* data, size_t size) const {
    SIZE_T read = 0;
    return offset + size <= size_ && ReadProcessMemory(process_, Address(offset), data, size, &read);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

std::string TreeItemText(HWND tree, HTREEITEM item) {
  const size_t kTextSize = 512;
  RemoteBuffer buffer(tree, sizeof(TVITEMA) + kTextSize);
  if (!buffer.Valid()) return std::string();
  TVITEMA request = {};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.pszText = buffer.Address(sizeof(TVITEMA));
  request.cchTextMax = kTextSize;
  char empty = '\0';
  buffer.Write(sizeof(TVITEMA), &empty, 1);
  if (!buffer.Write(0, &request, sizeof(request))) return std::string();
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.Address()))) return std::string();
  char text[kTextSize] = {};
  buffer.Read(sizeof(TVITEMA), text, kTextSize - 1);
  return text;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Every item, depth first.
void CollectItems(HWND tree, HTREEITEM first, std::vector<HTREEITEM>& items) {
  for (HTREEITEM item = first; item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
    items.push_back(item);
    CollectItems(tree, NextItem(tree, item, TVGN_CHILD), items);
  }
}

std::vector<HTREEITEM> AllItems(HWND tree) {
  std::vector<HTREEITEM> items;
  CollectItems(tree, NextItem(tree, nullptr, TVGN_ROOT), items);
  return items;
}

}  // namespace

HWND WaitForWindow(const std::string& className, const std::string& title, DWORD timeoutMs, int childId) {
  WindowSearch search = {className, title, childId, nullptr};
  Poll([&] {
    EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, timeoutMs);
  return search.found;
}

HWND FindChild(HWND parent, int id) {
  ChildSearch search = {id, nullptr};
  EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForChild(HWND parent, int id, DWORD timeoutMs) {
  HWND found = nullptr;
  Poll([&] { return (found = FindChild(parent, id)) != nullptr; }, timeoutMs);
  return found;
}

bool WaitGone(HWND window, DWORD timeoutMs) {
  return Poll([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitForText(HWND window, const std::string& text, DWORD timeoutMs) {
  return Poll([&] { return Text(window) == text; }, timeoutMs);
}

std::string Text(HWND window) {
  std::vector<char> text(4096, '\0');
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 2000, &length)) {
    return std::string();
  }
  return std::string(text.data(), length < text.size() ? length : 0);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

RECT Rect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

std::vector<std::string> TreeItemTexts(HWND tree) {
  std::vector<std::string> texts;
  for (HTREEITEM item : AllItems(tree)) texts.push_back(TreeItemText(tree, item));
  return texts;
}

bool SelectTreeItem(HWND tree, const std::string& text) {
  for (HTREEITEM item : AllItems(tree)) {
    if (TreeItemText(tree, item) != text) continue;
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return NextItem(tree, nullptr, TVGN_CARET) == item;
  }
  return false;
}

std::string SelectedTreeItem(HWND tree) {
  HTREEITEM selected = NextItem(tree, nullptr, TVGN_CARET);
  return selected != nullptr ? TreeItemText(tree, selected) : std::string();
}

bool Click(HWND button) {
  if (button == nullptr) return false;
  // Sent from another thread, BM_CLICK's own messages may wait for a modal loop: post it.
  return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool PostCommand(HWND window, int id) {
  return window != nullptr && PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

bool TypeKey(HWND window, WORD key, const std::vector<WORD>& modifiers) {
  if (window == nullptr) return false;
  SetForegroundWindow(window);
  Poll([&] { return GetForegroundWindow() == window; }, 1000);
  for (WORD modifier : modifiers) keybd_event(static_cast<BYTE>(modifier), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
    keybd_event(static_cast<BYTE>(*it), 0, KEYEVENTF_KEYUP, 0);
  }
  return true;
}

bool TypeText(HWND window, const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    if (scan == -1) return false;
    std::vector<WORD> modifiers;
    if (HIBYTE(scan) & 1) modifiers.push_back(VK_SHIFT);
    if (!TypeKey(window, LOBYTE(scan), modifiers)) return false;
  }
  return true;
}

bool SaveScreenArea(const RECT& area, const std::string& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool drawn = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
  SelectObject(memory, old);

  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = ((width * 3 + 3) / 4) * 4;
  std::vector<char> pixels(static_cast<size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!drawn) return false;

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

}  // namespace e2e
