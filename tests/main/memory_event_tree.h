#pragma once
// An event tree in memory, behaving as the tree view does where the builders can tell: items keep
// their order among their siblings, removing an item removes what is under it, and an item
// without children does not open.

#include <algorithm>
#include <map>
#include <vector>

#include "main/event_tree.h"

namespace zd::test {

class MemoryEventTree : public EventTreeView {
 public:
  void clear() override {
    items_.clear();
    items_[kNoItem] = {};
  }
  TreeItem insertAfter(TreeItem parent, TreeItem after, const TreeNode& node) override {
    std::vector<TreeItem>& siblings = items_.at(parent).children;
    auto at = after == kNoItem ? siblings.begin()
                               : std::find(siblings.begin(), siblings.end(), after) + 1;
    const TreeItem item = next_++;
    siblings.insert(at, item);
    items_[item] = {node, parent, {}};
    items_[item].node.expanded = false;
    return item;
  }
  TreeItem append(TreeItem parent, const TreeNode& node) override {
    const std::vector<TreeItem>& siblings = items_.at(parent).children;
    return insertAfter(parent, siblings.empty() ? kNoItem : siblings.back(), node);
  }
  void remove(TreeItem item) override {
    const Item removed = items_.at(item);
    for (TreeItem child : removed.children) remove(child);
    std::vector<TreeItem>& siblings = items_.at(removed.parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
    items_.erase(item);
  }
  TreeItem firstChild(TreeItem parent) override {
    const std::vector<TreeItem>& children = items_.at(parent).children;
    return children.empty() ? kNoItem : children.front();
  }
  TreeItem nextSibling(TreeItem item) override {
    const std::vector<TreeItem>& siblings = items_.at(items_.at(item).parent).children;
    auto at = std::find(siblings.begin(), siblings.end(), item) + 1;
    return at == siblings.end() ? kNoItem : *at;
  }
  void expand(TreeItem item, bool open) override {
    Item& it = items_.at(item);
    if (!it.children.empty()) it.node.expanded = open;
  }
  void setImage(TreeItem item, int32_t image) override { items_.at(item).node.image = image; }
  void setLabel(TreeItem item, std::string_view label) override {
    items_.at(item).node.label = std::string(label);
  }
  TreeNode node(TreeItem item) override { return items_.at(item).node; }

  // The item carrying a code, or kNoItem.
  TreeItem find(int32_t code) const {
    for (const auto& [item, it] : items_) {
      if (item != kNoItem && it.node.code == code) return item;
    }
    return kNoItem;
  }
  std::string text() { return TreeListingText(TreeListing(*this)); }

 private:
  struct Item {
    TreeNode node;
    TreeItem parent = kNoItem;
    std::vector<TreeItem> children;
  };
  std::map<TreeItem, Item> items_{{kNoItem, Item{}}};
  TreeItem next_ = 1;
};

}  // namespace zd::test
