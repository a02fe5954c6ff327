#include "main/tree_view.h"

#include <string>

#include "main/main_window_state.h"

namespace zd {

namespace {

// The tree's notifications while the program changes it are its own doing, not the operator's.
class ChangingTree {
 public:
  ChangingTree() { ++MainState().treeChanging; }
  ~ChangingTree() { --MainState().treeChanging; }
  ChangingTree(const ChangingTree&) = delete;
  ChangingTree& operator=(const ChangingTree&) = delete;
};

HTREEITEM ParentHandle(TreeItem parent) {
  return parent == kNoItem ? TVI_ROOT : ToTreeHandle(parent);
}

}  // namespace

void TreeViewControl::clear() {
  ChangingTree changing;
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

TreeItem TreeViewControl::insert(TreeItem parent, HTREEITEM after, const TreeNode& node) {
  ChangingTree changing;
  std::string label = node.label;
  TVINSERTSTRUCTA insert = {};
  insert.hParent = ParentHandle(parent);
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = label.data();
  insert.item.iImage = node.image;
  insert.item.iSelectedImage = node.image;
  insert.item.lParam = node.code;
  insert.item.state = node.bold ? TVIS_BOLD : 0;
  insert.item.stateMask = TVIS_BOLD;
  return ToTreeItem(reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

TreeItem TreeViewControl::insertAfter(TreeItem parent, TreeItem after, const TreeNode& node) {
  return insert(parent, after == kNoItem ? TVI_FIRST : ToTreeHandle(after), node);
}

TreeItem TreeViewControl::append(TreeItem parent, const TreeNode& node) {
  return insert(parent, TVI_LAST, node);
}

void TreeViewControl::remove(TreeItem item) {
  ChangingTree changing;
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(ToTreeHandle(item)));
}

TreeItem TreeViewControl::firstChild(TreeItem parent) {
  const WPARAM which = parent == kNoItem ? TVGN_ROOT : TVGN_CHILD;
  return ToTreeItem(reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(ToTreeHandle(parent)))));
}

TreeItem TreeViewControl::nextSibling(TreeItem item) {
  return ToTreeItem(reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(ToTreeHandle(item)))));
}

void TreeViewControl::expand(TreeItem item, bool open) {
  ChangingTree changing;
  SendMessageA(tree_, TVM_EXPAND, open ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(ToTreeHandle(item)));
}

void TreeViewControl::setImage(TreeItem item, int32_t image) {
  ChangingTree changing;
  TVITEMA tv = {};
  tv.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = ToTreeHandle(item);
  tv.iImage = image;
  tv.iSelectedImage = image;
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void TreeViewControl::setLabel(TreeItem item, std::string_view label) {
  ChangingTree changing;
  std::string text(label);
  TVITEMA tv = {};
  tv.mask = TVIF_HANDLE | TVIF_TEXT;
  tv.hItem = ToTreeHandle(item);
  tv.pszText = text.data();
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

TreeNode TreeViewControl::node(TreeItem item) {
  char text[256] = {};
  TVITEMA tv = {};
  tv.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE;
  tv.hItem = ToTreeHandle(item);
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  tv.stateMask = TVIS_BOLD | TVIS_EXPANDED;
  SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  TreeNode node;
  node.label = text;
  node.code = static_cast<int32_t>(tv.lParam);
  node.image = tv.iImage;
  node.bold = (tv.state & TVIS_BOLD) != 0;
  node.expanded = (tv.state & TVIS_EXPANDED) != 0;
  return node;
}

TreeViewControl MainTree() { return TreeViewControl(MainState().eventTree); }

int32_t TreeItemCode(HWND tree, HTREEITEM item) {
  TVITEMA tv = {};
  tv.mask = TVIF_HANDLE | TVIF_PARAM;
  tv.hItem = item;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return static_cast<int32_t>(tv.lParam);
}

}  // namespace zd
