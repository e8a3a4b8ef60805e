// Speed of the byte work that every exchange does: the CRC, and the calibration table
// frame (the largest frame on the line) built and decoded.
#include <benchmark/benchmark.h>

#include "calibration/table_frame.h"
#include "protocol/crc.h"

namespace {

calibration::CalibrationTable sample_table() {
    calibration::CalibrationTable table;
    table.net = 13;
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        table.values[k] = static_cast<std::uint16_t>(103 * (k + 1));
        table.litres[k] = static_cast<std::uint16_t>(1250 * (k + 1));
    }
    return table;
}

void CrcOfTableFrame(benchmark::State& state) {
    const protocol::Bytes frame = calibration::build_write_table(0, sample_table());
    for (auto _ : state) benchmark::DoNotOptimize(protocol::crc8(frame));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(frame.size()));
}
BENCHMARK(CrcOfTableFrame);

void CrcStepByReference(benchmark::State& state) {
    protocol::Byte cr = 0;
    protocol::Byte data = 0;
    for (auto _ : state) {
        protocol::crc(data++, cr);
        benchmark::DoNotOptimize(cr);
    }
}
BENCHMARK(CrcStepByReference);

void BuildWriteTableFrame(benchmark::State& state) {
    const auto table = sample_table();
    for (auto _ : state) benchmark::DoNotOptimize(calibration::build_write_table(3, table));
}
BENCHMARK(BuildWriteTableFrame);

void DecodeTableReply(benchmark::State& state) {
    const protocol::Bytes reply = calibration::build_table_reply(sample_table(), 0x05);
    for (auto _ : state) benchmark::DoNotOptimize(calibration::decode_table_reply(reply));
}
BENCHMARK(DecodeTableReply);

}  // namespace
