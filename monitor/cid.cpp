#include "monitor/cid.h"

#include "monitor/valuedefs.h"

CID::CID(int id, int expanded)
    : id(id)
    , expanded(expanded)
{
}

CID* CID::Add(std::unique_ptr<CID> child)
{
    children.push_back(std::move(child));
    return children.back().get();
}

void CID::ToggleCheck(int column)
{
    const int next = check[column] + 1;
    SetCheck(column, next > 1 ? 0 : next);
    changed = 1;
}

void CID::SetCheck(int column, int state)
{
    if (changed == 0 || column == 0) {
        check[1] = state;
        check[2] = state;
        check[3] = state;
    }
    check[column] = state;
    for (const auto& child : children)
        child->SetCheck(column, state);
}

int CID::RecalcCheck(int column)
{
    if (column == 1 || children.empty())
        return check[column];
    int common = -1;
    bool differ = false;
    for (const auto& child : children) {
        const int state = child->RecalcCheck(column);
        if (state == 2 || (common != -1 && state != common))
            differ = true;
        common = state;
    }
    check[column] = differ ? 2 : common;
    return check[column];
}

void CID::ClearMarks()
{
    changed = 0;
    for (const auto& child : children)
        child->ClearMarks();
}

int CID::CountVisible(int all) const
{
    return CountVisible(all, 0);
}

int CID::CountVisible(int all, int depth) const
{
    if (depth >= CID_MAX_DEPTH)
        return 0;
    int n = 0;
    for (const auto& child : children)
        n += 1 + (all || child->expanded ? child->CountVisible(all, depth + 1) : 0);
    return n;
}

void CID::Renumber(int all, int& counter)
{
    Renumber(all, counter, 0);
}

void CID::Renumber(int all, int& counter, int depth)
{
    if (depth >= CID_MAX_DEPTH)
        return;
    for (const auto& child : children) {
        child->row = counter++;
        if (all || child->expanded)
            child->Renumber(all, counter, depth + 1);
    }
}

CID* CID::FindRow(int all, int n)
{
    return FindRow(all, n, 0);
}

CID* CID::FindRow(int all, int n, int depth)
{
    if (depth >= CID_MAX_DEPTH)
        return nullptr;
    for (const auto& child : children) {
        if (child->row == n)
            return child.get();
        if (all || child->expanded)
            if (CID* found = child->FindRow(all, n, depth + 1))
                return found;
    }
    return nullptr;
}

CID* CID::FindId(int wanted)
{
    if (id == wanted)
        return this;
    for (const auto& child : children)
        if (CID* found = child->FindId(wanted))
            return found;
    return nullptr;
}

CID* CID::LastRow(int all)
{
    CID* node = children.back().get();
    for (int depth = 1; depth < CID_MAX_DEPTH && (all || node->expanded) && !node->children.empty(); ++depth)
        node = node->children.back().get();
    return node;
}

CID* CID::Step(int all, CID* current, int delta)
{
    if (children.empty())
        return nullptr;
    CID* first = children.front().get();
    if (!current) {
        if (delta > 0)
            return LastRow(all);
        first->row = 0;
        return first;
    }
    int rows = 0;
    Renumber(all, rows);
    const int target = current->row + delta;
    if (target < 0)
        return first;
    if (target > rows - 1)
        return LastRow(all);
    return FindRow(all, target);
}

void CID::ResolveNames()
{
    name = GetDef(id)->name;
    for (const auto& child : children)
        child->ResolveNames();
}

void BuildDefTree(CID& root)
{
    for (size_t i = 1; i < ValueDefs.size(); ++i) {
        const ValueDef& d = ValueDefs[i];
        CID* parent = d.parent == 0 ? nullptr : root.FindId(d.parent);
        (parent ? parent : &root)->Add(std::make_unique<CID>(d.id, 1));
    }
}
