#pragma once
// The update check as the main window runs it: the worker started with the
// window, the request a little over two seconds after start-up, the offer
// shown once per run, the worker stopped and joined at shutdown.

#include "update/patchoffer.h"

#include <cstddef>

class TMainForm;

// Starts the worker; it waits for the request.
void StartUpdateThread(TMainForm* form);
// Every tick: asks once TMR has passed 2000 (unless started with
// "nopatchcheck"), then hands a received description to ShowPatchOffer.
void UpdateCheckTimerStep(TMainForm* form);
// At shutdown: stops the worker, aborts its request and waits a bounded time.
void StopUpdateCheck(TMainForm* form);

// Chooses the offer in the received description and, when there is one the
// user has not declined, shows it in the update window and acts on the answer.
void ShowPatchOffer(TMainForm* form, const char* buffer, size_t size);
// The window half: shows the offer modally, then downloads, stores the
// declined number or leaves everything for the next run.
void PresentPatchOffer(TMainForm* form, const PatchOffer& offer);
