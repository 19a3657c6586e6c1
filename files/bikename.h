#pragma once
// The file name of a bike's preset, made from the bike's text in the bike
// list: "Aprilia RSV MILLE                04-" gives "Aprilia RSV MILLE (04-)".
// The archive and the preset folders hold these names plus ".ign".

#include <string>
#include <string_view>

std::string BikeNameToFileName(std::string_view bikeText);
