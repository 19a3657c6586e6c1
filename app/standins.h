#pragma once
// Stand-ins for what the main window calls of areas not built yet. Each
// takes the main window and runs on the user-interface thread; the area
// that builds the real function deletes its stand-in here.

class TMainForm;

// The Injection and Tuning pages.
void SetInjectionBackgrounds(TMainForm* form);
// The correction tables folded into the injection maps (flags 3: and cleared).
void MoveCorrectionsToMaps(TMainForm* form, int flags);
// The injection page's controls and maps into the image.
void StoreInjectionPage(TMainForm* form);
// The first injector map (rpm axis and values) into the other three.
void CopyFirstInjectionMap(TMainForm* form);
// Injector maps 2 to 4 aligned to map 1, for the coupled mode.
void CoupleInjectionMaps(TMainForm* form);

// The Race page: its controls that follow the idle and servo settings.
void UpdateRaceControls(TMainForm* form);

// The Tracking page: its controls and maps from the image.
void LoadTrackingPage(TMainForm* form);

// The Synchro page: its controls enabled by the special setting and the
// cells of the Bike page.
void UpdateSynchroControls(TMainForm* form);
