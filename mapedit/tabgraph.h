#pragma once
// Graph state of a map table: the 2D graph, the 3D surface and the on/off
// grid keep their axes, scales, layout, drag state and hint here. The
// scaling works on the sheets alone and needs no widgets.

#include "mapedit/selection.h"

#include <cstdint>
#include <string>

class CAxe;
class CSheet;

// Buffers of the 2D points hold 50 curves of 50 points, so that a sheet
// drawn over its Y axis (up to 50 curves of 30 points) fits as well.
constexpr int GRAPH_CURVES = TAB_MAX_COLS;
constexpr int GRAPH_POINTS = TAB_MAX_COLS * GRAPH_CURVES;

// What the scaling reads of the control: its sheets, the bound values of
// the base-advance, limiter and start-limiter lines, and the view shown.
struct GraphScaleSource {
    CSheet* Sheets = nullptr;
    int SheetCount = 0;
    int Current = 0;
    int32_t BaseAdvance = 0, LimiterRpm = 0, StartLimiterRpm = 0;
    bool Shows2D = false;
};

// The tick label of a value for a tick step: "20m", "0.25", "15", "10k", "2M".
std::string FormatTickLabel(double step, double value);

struct TTabGraph {
    TabHitMap HitMap;
    // The part of the control that takes the graph's pointer events (edges
    // included); empty while no graph is laid out.
    int32_t PlotLeft = 0, PlotTop = 0, PlotRight = -1, PlotBottom = -1;
    // The area the control gives the graph: left and top edges, right and bottom margins.
    int32_t AreaLeft = 0, AreaRight = 0, AreaTop = 0, AreaBottom = 0;
    int32_t Dragging = 0;
    // On/off grid spacing: 0 equal, 1 proportional to the breakpoints.
    int32_t OnOffFlag = 0;
    int32_t GraphHit = -100;
    int32_t AngleX = -5, AngleXY = 24, AngleXYZ = 0;
    int32_t DrawMode = 5;
    int32_t LabelMode = 0;
    std::string HintText;

    // 3 both sheet axes in use, 1 only X (Y collapsed), 2 only Y (X collapsed).
    int32_t AxisUse = 3;
    // AxisA runs along the graph's width (the sheet's X axis, or Y on a
    // sheet drawn swapped), AxisB is the other one.
    CAxe* AxisA = nullptr;
    CAxe* AxisB = nullptr;
    CAxe* ValueAxis = nullptr;
    // Horizontal axis and curve axis of the 2D and on/off views.
    CAxe* PlotAxis = nullptr;
    CAxe* CurveAxis = nullptr;
    int32_t CurveCount = 1;
    int32_t CurrentCurve = 0;
    // Raw value units: shift between neighbouring curves, top of the lowest
    // curve's range, top of the range with every curve stacked.
    int32_t CurveOffset = 0, FirstCurveTop = 0, ValueTop = 0;

    // Plot rectangle of the 2D and on/off views: left edge, bottom edge and
    // size; its top is InnerBottom - PlotHeight. Then the scales in pixels
    // per raw unit, and the strides: cell index of point p on curve c is
    // p * StrideH + c * StrideS + BaseIndex.
    int32_t InnerLeft = 0, InnerBottom = 0, PlotWidth = 0, PlotHeight = 0;
    double UnitX = 0, UnitY = 0;
    int32_t StrideH = 1, StrideS = TAB_MAX_COLS, BaseIndex = 0;
    // Screen point of point p of curve c at c * 50 + p; baseline of every curve.
    int32_t PointX[GRAPH_POINTS] = {};
    int32_t PointY[GRAPH_POINTS] = {};
    int32_t CurveBase[GRAPH_CURVES] = {};
    int32_t GrabCurve = 0, GrabX = 0, GrabY = 0;
    int32_t GrabAngleX = 0, GrabAngleXY = 0;

    // 3D projection: basis rows, pixels per raw unit along graph X, value and graph Y.
    double M0[3] = {}, M1[3] = {}, M2[3] = {};
    double UnitA = 0, UnitV = 0, UnitB = 0;
    double Aspect = 1;
    int32_t OriginX = 0, OriginY = 0, OffsetX = 0;
    int32_t StripWidth = 140;
    int32_t HintFlags = 3;

    // On/off grid lines.
    int32_t LineX[TAB_MAX_COLS] = {};
    int32_t LineY[TAB_MAX_ROWS] = {};
    int32_t LinesX = 0, LinesY = 0;

    bool InPlot(int x, int y) const { return x >= PlotLeft && x <= PlotRight && y >= PlotTop && y <= PlotBottom; }

    // Takes the graph axes, the axis use and nothing else from the sheet.
    void BindAxes(CSheet& sheet);
    void AxisRange(const GraphScaleSource& src, int which);
    void ValueRange(const GraphScaleSource& src);
    void AutoScale(const GraphScaleSource& src);
};
