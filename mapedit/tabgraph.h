#pragma once
// Graph state of a map table: the 2D graph, the 3D surface and the on/off
// grid keep their layout, drag and hint here. Only what the control frame
// reads is here so far; the graph views bring the rest.

#include "mapedit/selection.h"

#include <cstdint>
#include <string>

struct TTabGraph {
    TabHitMap HitMap;
    // Plot rectangle in client pixels (edges included); empty while no graph is laid out.
    int32_t PlotLeft = 0, PlotTop = 0, PlotRight = -1, PlotBottom = -1;
    // The area the control gives the graph: left and top edges, right and bottom margins.
    int32_t AreaLeft = 0, AreaRight = 0, AreaTop = 0, AreaBottom = 0;
    int32_t Dragging = 0;
    int32_t OnOffFlag = 0;
    int32_t GraphHit = -100;
    int32_t AngleX = -5, AngleXY = 24, AngleXYZ = 0;
    int32_t DrawMode = 5;
    int32_t LabelMode = 0;
    std::string HintText;

    bool InPlot(int x, int y) const { return x >= PlotLeft && x <= PlotRight && y >= PlotTop && y <= PlotBottom; }
};
