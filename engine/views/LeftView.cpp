// The left tree.
#include "engine/views/LeftView.h"

#include "engine/views/TreeSelectionOwner.h"
#include "framework/Document.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"

namespace {

struct TreeItemText {
  const char* text;
  int parent;  // item number of the parent, -1 for the root
};

const TreeItemText kItems[CLeftView::kItemCount] = {
    {"Velotune", -1}, {"Auto Tune-Up", 0}, {"Manual Tune-Up", 0}, {"MTU", 2},
    {"RWIN", 2},      {"TTL", 2},          {"Cache Size", 2},
};

}  // namespace

CLeftView::CLeftView() : FormView(IDD_LEFT_VIEW) {}

CLeftView::~CLeftView() {
  if (images_ != nullptr) ImageList_Destroy(images_);
}

bool CLeftView::OnInitDialog() {
  images_ = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TREE_IMAGES), 16, 1,
                                 RGB(255, 0, 0), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (images_ != nullptr) {
    SendMessageA(Tree(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
  }
  FillTree();
  return true;
}

void CLeftView::FillTree() {
  // Cache size is not tuned on the NT family.
  const bool withCacheSize = !IsNtFamily(CSettingsStore::DetectOsFamily());
  for (int item = 0; item < kItemCount; ++item) {
    if (item == kCacheSizeItem && !withCacheSize) continue;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = kItems[item].parent < 0 ? TVI_ROOT : items_[kItems[item].parent];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(kItems[item].text);
    insert.item.lParam = item;
    insert.item.iImage = item;
    insert.item.iSelectedImage = item;
    items_[item] = reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
}

HTREEITEM CLeftView::TreeItem(int item) const {
  return item >= 0 && item < kItemCount ? items_[item] : nullptr;
}

void CLeftView::SelectRoot() {
  SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[0]));
  SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items_[0]));
  SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items_[2]));
  SendMessageA(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items_[2]));
}

void CLeftView::ShowItems(bool enabled) {
  for (int item = 0; item < kItemCount; ++item) {
    if (items_[item] == nullptr) continue;
    TVITEMA change = {};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = items_[item];
    change.iImage = enabled ? item : item + kGreyedOffset;
    change.iSelectedImage = change.iImage;
    SendMessageA(Tree(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
  }
}

bool CLeftView::OnSelectionChanging(const NMTREEVIEWA& change) {
  auto* owner = dynamic_cast<ITreeSelectionOwner*>(GetDocument());
  const int item = static_cast<int>(change.itemNew.lParam);
  return owner != nullptr && !owner->MayChangeSelection(item);
}

INT_PTR CLeftView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (message == WM_SIZE) {
    MoveWindow(Tree(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    handled = true;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_TUNEUP_TREE && (header->code == TVN_SELCHANGINGA || header->code == TVN_SELCHANGINGW)) {
      const BOOL cancel = OnSelectionChanging(*reinterpret_cast<const NMTREEVIEWA*>(lParam));
      SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, cancel);
      handled = true;
      return TRUE;
    }
    if (header->idFrom == IDC_TUNEUP_TREE && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
      selectedItem_ = static_cast<int>(reinterpret_cast<const NMTREEVIEWA*>(lParam)->itemNew.lParam);
      if (auto* owner = dynamic_cast<ITreeSelectionOwner*>(GetDocument())) {
        owner->SetSelectedItem(selectedItem_);
      }
      handled = true;
      return TRUE;
    }
  }
  return FormView::OnMessage(message, wParam, lParam, handled);
}
