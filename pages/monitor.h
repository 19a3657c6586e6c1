#pragma once
// The Monitor page: read-only live labels of injection, inputs and outputs,
// advance per cylinder and power outputs; the panel's refresh writes them.

class TMainForm;

// Builds the page's groups and labels on its tab sheet.
void BuildMonitorPage(TMainForm* form);
// Fills the label arrays the refresh reads.
void RegisterMonitorLabels(TMainForm* form);
