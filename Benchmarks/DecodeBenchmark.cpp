// Copyright Kelmora. All Rights Reserved.
// Decoding a typical camera datagram against the JSON library parsing the same bytes on its own.
#include "CoreMinimal.h"
#include "Misc/OutputDeviceRedirector.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
	const std::vector<uint8>& CameraDatagram()
	{
		static const std::vector<uint8> Bytes = []
		{
			std::ifstream File(ORVANE_TEST_DATA_DIR "/camera_datagram.json", std::ios::binary);
			return std::vector<uint8>(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
		}();
		return Bytes;
	}

	void BM_LibraryParse(benchmark::State& BenchState)
	{
		const std::vector<uint8>& Bytes = CameraDatagram();
		for (auto _ : BenchState)
		{
			nlohmann::json Document = nlohmann::json::parse(Bytes.begin(), Bytes.end());
			benchmark::DoNotOptimize(Document);
		}
		BenchState.SetBytesProcessed(static_cast<int64_t>(BenchState.iterations()) * static_cast<int64_t>(Bytes.size()));
	}
	BENCHMARK(BM_LibraryParse);

	void BM_DecodeCameraDatagram(benchmark::State& BenchState)
	{
		const std::vector<uint8>& Bytes = CameraDatagram();
		const TConstArrayView<uint8> View(Bytes.data(), static_cast<int32>(Bytes.size()));
		// The sample asks for skip reports; keep the warnings out of the measurement.
		GLog->SetStdErrEcho(false);
		FOrvaneSourceState State;
		for (auto _ : BenchState)
		{
			int32 Decoded = FOrvaneMessageDecoder::Decode(View, State, [](const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action)
				{
					benchmark::DoNotOptimize(&Setup);
					benchmark::DoNotOptimize(&Pose);
					benchmark::DoNotOptimize(&Action); });
			benchmark::DoNotOptimize(Decoded);
		}
		GLog->SetStdErrEcho(true);
		BenchState.SetBytesProcessed(static_cast<int64_t>(BenchState.iterations()) * static_cast<int64_t>(Bytes.size()));
	}
	BENCHMARK(BM_DecodeCameraDatagram);
}

BENCHMARK_MAIN();
