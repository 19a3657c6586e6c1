#pragma once
// The external monitor's own-drawn widgets: the base every widget derives
// from and the container that holds them. Widgets keep their rectangle in
// layout units and paint it times `zoom`, truncated toward zero on the sum
// (the right edge is (Left + Width) x zoom, not the sum of two products).
// They never paint when they change: they mark themselves dirty and the
// window's timer repaints what was marked.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics.h"

struct ValueDef;
class CMyGroup;

constexpr int MONITOR_ITEM_LEN = 108;
constexpr int MONITOR_ITEM_COMMON = 20; // first byte of the common fields

// Widget kinds as the monitor-set files store them.
namespace widgetkind {
constexpr int Picture = 0;
constexpr int Text = 1;
constexpr int Label = 2;
constexpr int Value = 4;
constexpr int Gauge = 8;
} // namespace widgetkind

// Pointer shapes a group asks its window for (the class library's codes).
namespace mycursor {
constexpr int16_t Default = 0;
constexpr int16_t Cross = -3;
constexpr int16_t SizeNS = -7;
constexpr int16_t SizeNESW = -6;
constexpr int16_t SizeWE = -9;
constexpr int16_t SizeNWSE = -8;
constexpr int16_t SizeAll = -22;
} // namespace mycursor

// Virtual-key codes the groups act on.
namespace vkey {
constexpr int Tab = 0x09;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D; // the window adds a watch
constexpr int Delete = 0x2E; // the window deletes the selected widgets
} // namespace vkey

// Per channel (a + 3b) / 4: `BlendColor(c, clWhite)` is c faded.
TColor BlendColor(TColor a, TColor b);

class CMyComponent {
public:
    CMyComponent();
    virtual ~CMyComponent();
    CMyComponent(const CMyComponent&) = delete;
    CMyComponent& operator=(const CMyComponent&) = delete;

    // The slots, in their fixed order.
    virtual void Paint();
    virtual void MouseDown() = 0;
    virtual void MouseUp() = 0;
    virtual void MouseMove() = 0;
    virtual void MouseLeave() = 0;
    virtual void MouseWheel(int delta) = 0;
    virtual void DblClick() = 0;
    virtual void KeyPress(int key) = 0;
    virtual void SetCanvas(TCanvas* c);
    virtual void SetColor(TColor c);
    virtual int IsFocused();
    virtual void FocusEnter();
    virtual void FocusLeave();
    // Called before a resize is applied; may alter the two changes.
    virtual void Reserved(int& dw, int& dh);
    virtual void SetZoom(float z);

    // Bit 1 repaints this widget, bit 2 the whole group. A widget without a
    // parent always asks for a whole repaint.
    void MarkDirty(int bits);
    // The common fields of a monitor-set item record.
    void FromRecord(std::span<const uint8_t, MONITOR_ITEM_LEN> record);
    void ToRecord(std::span<uint8_t, MONITOR_ITEM_LEN> record) const;

    // v x zoom, truncated toward zero.
    int Scaled(int v) const { return int(float(v) * zoom); }
    bool HasArea() const { return Width > 0 && Height > 0; }
    bool Contains(int x, int y) const { return Left <= x && x <= Left + Width && Top <= y && y <= Top + Height; }

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int focusable = 0;
    TColor Color = 0xFFFFFF;
    TColor ltframe = 0xFFFFFF;
    TColor dkframe = 0xC0C0C0;
    int Down = 0;
    int hover = 0;
    int mouseX = 0;
    int mouseY = 0;
    int button = 0; // 1 left, 2 right
    int shift = 0;
    int ctrl = 0;
    CMyGroup* parent = nullptr;
    TCanvas* canvas = nullptr;
    int dirty = 0;
    TColor TextColor = 0;
    int AlignV = 0; // horizontal placement of the text
    int AlignH = 0; // vertical placement of the text
    ValueDef* s;
    const char* caption = nullptr;
    int selected = 0;
    int rszable = 1;
    int nprable = 1;
    int handle = 0; // 1 top, then clockwise to 8 top-left
    int moving = 0;
    int resizing = 0;
    int grabX = 0;
    int grabY = 0;
    int startTop = 0;
    int startLeft = 0;
    int startWidth = 0;
    int startHeight = 0;
    int ow = 0;
    int oh = 0;
    int minw = 4;
    int minh = 4;
    int maxw = 1000;
    int maxh = 1000;
    int id = 0;
    int kind = 0;
    float zoom = 1.0f;
};

class CMyGroup : public CMyComponent {
public:
    CMyGroup() = default;
    ~CMyGroup() override;

    void Paint() override;
    void MouseDown() override;
    void MouseUp() override;
    void MouseMove() override;
    void MouseLeave() override;
    void MouseWheel(int delta) override;
    void DblClick() override;
    void KeyPress(int key) override;
    void SetCanvas(TCanvas* c) override;
    void SetColor(TColor c) override;
    void SetZoom(float z) override;

    // Takes ownership of `child` and appends it on top.
    void Insert(CMyComponent* child);
    // Removes and destroys `child` when it is one of the group's.
    void Delete(CMyComponent* child);
    void FreeAll();
    // The window's timer: repaints what was marked.
    void PaintDirty();
    void PaintGrip();
    void Focus(CMyComponent* child);
    void BringToFront(CMyComponent* child);
    void ClearSelection();
    void CountSelected();
    // Resizes `child` from its start rectangle by the pointer's travel
    // (dx, dy) on handle `h`, within its limits, the group and its proportion.
    void ResizeChild(CMyComponent* child, int h, int dx, int dy);

    int count() const { return int(items.size()); }

    // Children in painting order: the last is on top.
    std::vector<CMyComponent*> items;
    CMyComponent* focused = nullptr;
    int origWidth = 0;
    int origHeight = 0;
    int editMode = 0;
    int banding = 0;
    int bandX0 = 0;
    int bandY0 = 0;
    int bandX1 = 0;
    int bandY1 = 0;
    int selCount = 0;
    int16_t cursor = mycursor::Default;
    int grip = 0;

private:
    void PassKeys(CMyComponent* child) const;
    void StartDrag(CMyComponent* child);
    // Reduces (dx, dy) so that every selected child stays inside the group.
    void ClampToGroup(int& dx, int& dy) const;
    void MoveSelection(int dx, int dy);
    void ChooseCursor();
    void ShiftResize(int key);
};

// The group of the external monitor's widgets, null until the monitor
// window exists.
extern CMyGroup* MonitorPlace;
// Set when the first live value changed, never cleared; until then value
// widgets and gauges show placeholders.
extern int MonitorHasValues;
// A live value changed: widgets may leave their placeholders and the
// monitor's widgets are repainted on its next tick.
void MarkMonitorDirty();
