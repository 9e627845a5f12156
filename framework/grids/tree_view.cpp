#include "framework/grids/tree_view.h"

#include <functional>

namespace trx {

// ---- Nodes ---------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes& Owner, TTreeNode* Parent, std::string Text)
    : Text(std::move(Text)), owner_(Owner), parent_(Parent) {}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

TTreeNode* TTreeNode::Item(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return children_[static_cast<std::size_t>(Index)].get();
}

int TTreeNode::Index() const {
    const auto& siblings = owner_.SiblingsOf(parent_);
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = owner_.SiblingsOf(parent_);
    const int i = Index();
    return i + 1 < static_cast<int>(siblings.size()) ? siblings[static_cast<std::size_t>(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

int TTreeNode::AbsoluteIndex() const {
    int i = 0;
    for (const TTreeNode* n = owner_.GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this) return i;
    return -1;
}

bool TTreeNode::Selected() const { return owner_.Owner().Selected() == this; }

// ---- The node list -------------------------------------------------------------------

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent) {
    return Parent ? Parent->children_ : roots_;
}

const std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(const TTreeNode* Parent) const {
    return Parent ? Parent->children_ : roots_;
}

TTreeNode* TTreeNodes::Item(int Index) const {
    if (Index < 0 || Index >= count_) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    TTreeNode* n = GetFirstNode();
    for (int i = 0; i < Index; ++i) n = n->GetNext();
    return n;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& Text) {
    return AddChild(Sibling ? Sibling->Parent() : nullptr, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) {
    if (Parent && &Parent->owner_ != this) throw EInvalidOperation("Tree node belongs to another tree view");
    auto& siblings = SiblingsOf(Parent);
    siblings.push_back(std::make_unique<TTreeNode>(*this, Parent, Text));
    ++count_;
    view_.Invalidate();
    return siblings.back().get();
}

bool TTreeNodes::Contains(const TTreeNode* Node) const {
    for (const TTreeNode* n = GetFirstNode(); n; n = n->GetNext())
        if (n == Node) return true;
    return false;
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node || !Contains(Node)) return;
    std::function<int(const TTreeNode*)> size = [&](const TTreeNode* n) {
        int s = 1;
        for (const auto& c : n->children_) s += size(c.get());
        return s;
    };
    // The selection leaves the node and everything under it.
    for (const TTreeNode* p = view_.selected_; p; p = p->parent_)
        if (p == Node) {
            view_.selected_ = nullptr;
            break;
        }
    count_ -= size(Node);
    auto& siblings = SiblingsOf(Node->parent_);
    siblings.erase(siblings.begin() + Node->Index());
    view_.Invalidate();
}

void TTreeNodes::Clear() {
    view_.selected_ = nullptr;
    roots_.clear();
    count_ = 0;
    view_.Invalidate();
}

// ---- The view ------------------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner) : TCustomControl(AOwner), items_(*this) {
    SetTabStop(true);
    color_ = clWindow;
}

TTreeView::~TTreeView() { selected_ = nullptr; }

void TTreeView::SetSelected(TTreeNode* Node) {
    if (Node && &Node->Owner() != &items_) throw EInvalidOperation("Tree node belongs to another tree view");
    if (Node == selected_) return;
    selected_ = Node;
    Invalidate();
    if (OnChange) OnChange(this);
}

} // namespace trx
