#include "tSYN.h"

#include <algorithm>

tSYN::~tSYN() {
    for (tSYN* child : children_)
        child->parent_ = nullptr;
    Detach();
}

void tSYN::Detach() {
    if (!parent_)
        return;
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    for (int i = reportedUnits(); i > 0; --i)
        parent_->ChildCleared();
    parent_ = nullptr;
}

void tSYN::Attach(tSYN* child) {
    if (!child || child == this)
        return;
    child->Detach();
    children_.push_back(child);
    child->parent_ = this;
    for (int i = child->reportedUnits(); i > 0; --i)
        ChildChanged();
}

void tSYN::SetChanged() {
    if (changed_)
        return;
    changed_ = true;
    if (parent_)
        parent_->ChildChanged();
}

void tSYN::ResetChanged() {
    if (!changed_)
        return;
    changed_ = false;
    if (parent_)
        parent_->ChildCleared();
}

void tSYN::ChildChanged() {
    if (pending_ != 0) {
        ++pending_;
        return;
    }
    pending_ = 1;
    if (parent_)
        parent_->ChildChanged();
}

void tSYN::ChildCleared() {
    if (pending_ == 0)
        return;
    if (--pending_ == 0 && parent_)
        parent_->ChildCleared();
}

bool tSYN::NeedsUpdate() const {
    return pending_ != 0 || IsChanged();
}

bool tSYN::IsChanged() const {
    for (const tSYN* node = this; node; node = node->parent_)
        if (node->changed_)
            return true;
    return false;
}
