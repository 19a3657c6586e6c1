#pragma once
// The main window's side of the link: the link timer and the steps that
// close, drop and enable the connection.

class TMainForm;

void LinkTimerStep(TMainForm* form);
void ClosePortAndReport(TMainForm* form);
void DropConnection(TMainForm* form);
void EnableLink(TMainForm* form);
