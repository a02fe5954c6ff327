#pragma once
// The event tree's tree view (control 5000) as the core's tree operations see it, and the
// handler of its notifications: the selected node published in the race file header, the series
// saved when it is left and loaded when it is chosen, the dialogs of the participant and ranking
// nodes, the context menus, the renaming of a race and the collapsing of the other races.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "main/event_tree.h"

namespace zd {

class TreeViewControl final : public EventTreeView {
 public:
  explicit TreeViewControl(HWND tree) : tree_(tree) {}
  void attach(HWND tree) { tree_ = tree; }

  void clear() override;
  TreeItem insertAfter(TreeItem parent, TreeItem after, const TreeNode& node) override;
  TreeItem append(TreeItem parent, const TreeNode& node) override;
  void remove(TreeItem item) override;
  TreeItem firstChild(TreeItem parent) override;
  TreeItem nextSibling(TreeItem item) override;
  void expand(TreeItem item, bool open) override;
  void setImage(TreeItem item, int32_t image) override;
  void setLabel(TreeItem item, std::string_view label) override;
  TreeNode node(TreeItem item) override;

 private:
  TreeItem insert(TreeItem parent, HTREEITEM after, const TreeNode& node);

  HWND tree_;
};

// The main window's event tree.
TreeViewControl MainTree();

inline HTREEITEM ToTreeHandle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
inline TreeItem ToTreeItem(HTREEITEM item) { return reinterpret_cast<TreeItem>(item); }

// The code of a tree item, its application value.
int32_t TreeItemCode(HWND tree, HTREEITEM item);

}  // namespace zd
