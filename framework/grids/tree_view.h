// TTreeView: nodes in a tree, one of them selected. The nodes belong to the
// view's TTreeNodes, which numbers them in the order the view lists them
// (each node before its children, children in order): Item(0) is the first
// node at the top level, and Count counts every node at every level.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/forms/control.h"

namespace trx {

class TTreeNodes;
class TTreeView;

class TTreeNode : public TObject {
public:
    TTreeNode(TTreeNodes& Owner, TTreeNode* Parent, std::string Text);
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    std::string Text;
    bool Expanded = false;

    TTreeNodes& Owner() const { return owner_; }
    TTreeNode* Parent() const { return parent_; }
    // Level 0 at the top.
    int Level() const;
    int Count() const { return static_cast<int>(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    // Raises EListError for an index out of range.
    TTreeNode* Item(int Index) const;
    // Position among its siblings.
    int Index() const;
    // Position in the view's list of all nodes.
    int AbsoluteIndex() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* GetNextSibling() const;
    // The next node in the view's list, or nullptr.
    TTreeNode* GetNext() const;
    bool Selected() const;

private:
    friend class TTreeNodes;
    TTreeNodes& owner_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView& View) : view_(View) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    TTreeView& Owner() const { return view_; }
    int Count() const { return count_; }
    // The node at a position of the view's list; raises EListError out of range.
    TTreeNode* Item(int Index) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    // A new last sibling of Sibling (a top-level node when Sibling is null).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& Text);
    // A new last child of Parent (a top-level node when Parent is null).
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
    // Frees the node and its children; the selection leaves them.
    void Delete(TTreeNode* Node);
    void Clear();
    // Whether Node is one of these nodes.
    bool Contains(const TTreeNode* Node) const;

private:
    friend class TTreeNode;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
    const std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(const TTreeNode* Parent) const;

    TTreeView& view_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int count_ = 0;
};

class TTreeView : public TCustomControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes& Items() { return items_; }
    const TTreeNodes& Items() const { return items_; }
    TTreeNode* Selected() const { return selected_; }
    // Selects a node of this view, or nothing with nullptr; raises
    // EInvalidOperation for a node of another view.
    void SetSelected(TTreeNode* Node);

    TNotifyEvent OnChange;

private:
    friend class TTreeNodes;
    TTreeNodes items_;
    TTreeNode* selected_ = nullptr;
};

} // namespace trx
