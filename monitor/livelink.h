#pragma once
// The live poll of the main window as the link sequencer runs it:
//   SendLiveRequest        while the link has no job: the request goes into
//                          the transmit image and JOB_LIVE is posted
//                          (start 0, length 300, flags 5);
//   TakeLiveAnswer         with the job's result: on JOB_DONE the answer is
//                          word-swapped and held as the live block (true);
//                          on JOB_FAILED a stop command it carried is given
//                          back to the next request;
//   UpdateLiveMonitor      (monitor/panel.h) after the sequencer's own steps
//                          of a taken answer.

#include <cstdint>

class TMainForm;

void SendLiveRequest(TMainForm* form);
bool TakeLiveAnswer(TMainForm* form, int32_t result);
