#pragma once
// The tree of live-value definitions the "Add watch" picker shows: one node
// per definition under its group, each with a check state per column. Column
// 0 is the tree column itself, 1 "Label", 2 "Value", 3 "Indicator"; a state is
// 0 off, 1 on or 2 partly (some children on).

#include <memory>
#include <vector>

constexpr int CID_COLUMNS = 4;
// The row walks go no deeper below the node they start from.
constexpr int CID_MAX_DEPTH = 10;

class CID {
public:
    explicit CID(int id = 0, int expanded = 0);

    // Appends a child and returns it.
    CID* Add(std::unique_ptr<CID> child);
    // Off to on, on or partly to off, then SetCheck; the node counts as
    // touched from then on.
    void ToggleCheck(int column);
    // The state to the column of this node and its subtree. A node not yet
    // touched (and column 0 on any node) takes it in all three widget
    // columns; a touched node in the given column only.
    void SetCheck(int column, int state);
    // The state of a group in a widget column from its children, stored and
    // returned: their common state, or 2 when they differ. "Label" is every
    // node's own and never summarises.
    int RecalcCheck(int column);
    void ClearMarks();
    // Rows shown below the node: the children of expanded nodes, or every
    // node with `all`.
    int CountVisible(int all) const;
    // Numbers the rows shown below the node in display order from `counter`.
    void Renumber(int all, int& counter);
    CID* FindRow(int all, int n);
    // Depth first, the node itself included; the first match wins.
    CID* FindId(int id);
    // On the root: the row `delta` rows from `current`, held to the first
    // and last rows; without a current row the first (delta <= 0) or the last
    // shown row. Null when the tree is empty.
    CID* Step(int all, CID* current, int delta);
    // Every node's name from its definition.
    void ResolveNames();

    int row = 0;
    int id = 0;
    const char* name = nullptr;
    int check[CID_COLUMNS] {};
    int prior[CID_COLUMNS] {}; // the states the caller saw when the picker opened
    std::vector<std::unique_ptr<CID>> children;
    int expanded = 0;
    int changed = 0; // touched since the last ClearMarks

private:
    int CountVisible(int all, int depth) const;
    void Renumber(int all, int& counter, int depth);
    CID* FindRow(int all, int n, int depth);
    CID* LastRow(int all);
};

// The definitions as a tree under `root`, in table order: each under the
// first node of its parent's id, or under the root when the parent id is 0
// or names no node. Every node starts expanded.
void BuildDefTree(CID& root);
