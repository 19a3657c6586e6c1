// A monitor log comes from whatever file the user opens. Whatever it holds,
// the reader either refuses it or hands out records that lie inside the file
// and have the length their type needs.
#include "monitor/monitorlog.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MonitorLog log;
    if (ParseMonitorLog({ data, size }, log) != LogRead::Ok)
        return 0;
    if (log.InitialCount() < 1 || log.InitialCount() > log.RecordCount() || log.RecordCount() > monlog::MaxRecords)
        __builtin_trap();
    unsigned sum = 0;
    for (int i = 0; i < log.RecordCount(); ++i) {
        const LogRecordView record = log.Record(i);
        const int expected = monlog::RecordLength(record.type);
        if (expected != 0 && record.payload.size() + monlog::RecordHead != size_t(expected))
            __builtin_trap();
        if (record.type == monlog::UiState && record.payload[monlog::UiOffPage] >= monlog::UiPages)
            __builtin_trap();
        // Every byte the player may copy is read, so ASan sees any over-read.
        for (uint8_t b : record.payload)
            sum += b;
    }
    return int(sum & 0);
}
