// Copyright Kelmora. All Rights Reserved.
// A large stage converted end to end by `orvane stage convert`, against `orvane stage inspect` reading the same
// file in the same run: wall-clock time and the peak resident memory of each tool process.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
	constexpr int WallCount = 64;
	// A closed grid of Rows x Columns vertices: 100,000 vertices, as many texture coordinates, 200,000 triangles.
	constexpr int Rows = 250;
	constexpr int Columns = 400;

	/** A stage of 64 walls that all use one 100,000-vertex mesh, written once per run into a temporary folder. */
	struct FConvertFiles
	{
		std::filesystem::path Directory;
		std::string StagePath;
		long long StageBytes = 0;

		FConvertFiles()
		{
			char Template[] = "/tmp/OrvaneConvertBenchmark-XXXXXX";
			const char* Created = ::mkdtemp(Template);
			if (!Created)
			{
				std::perror("mkdtemp");
				std::abort();
			}
			Directory = Created;
			StagePath = (Directory / "Large Stage.orvs").string();
			std::ofstream File(StagePath, std::ios::binary);
			File << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<orvane>\n<stages>\n<stage>\n<label>Large</label>\n<walls>\n";
			for (int Wall = 0; Wall < WallCount; ++Wall)
			{
				File << "<wall uuid=\"W" << Wall << "\"><label>Wall " << Wall << "</label><model>grid.obj</model><resolution x=\"1920\" y=\"1080\"/>"
					 << "<position x=\"" << Wall * 2 << "\" y=\"0\" z=\"0\"/><rotation x=\"0\" y=\"" << (Wall * 5) % 360 << "\" z=\"0\"/></wall>\n";
			}
			File << "</walls>\n</stage>\n</stages>\n<meshes>\n<mesh fileref=\"grid.obj\"><![CDATA[\n";
			char Line[128];
			for (int Row = 0; Row < Rows; ++Row)
			{
				for (int Column = 0; Column < Columns; ++Column)
				{
					std::snprintf(Line, sizeof(Line), "v %.6f %.6f %.6f\n", Column * 0.01, Row * 0.01, std::sin(Column * 0.05) * 0.1);
					File << Line;
				}
			}
			for (int Row = 0; Row < Rows; ++Row)
			{
				for (int Column = 0; Column < Columns; ++Column)
				{
					std::snprintf(Line, sizeof(Line), "vt %.6f %.6f\n", Column / double(Columns), Row / double(Rows));
					File << Line;
				}
			}
			for (int Row = 0; Row < Rows; ++Row)
			{
				for (int Column = 0; Column < Columns; ++Column)
				{
					const int A = Row * Columns + Column + 1;
					const int B = Row * Columns + (Column + 1) % Columns + 1;
					const int C = ((Row + 1) % Rows) * Columns + Column + 1;
					std::snprintf(Line, sizeof(Line), "f %d/%d %d/%d %d/%d\n", A, A, B, B, C, C);
					File << Line;
					const int D = ((Row + 1) % Rows) * Columns + (Column + 1) % Columns + 1;
					std::snprintf(Line, sizeof(Line), "f %d/%d %d/%d %d/%d\n", B, B, D, D, C, C);
					File << Line;
				}
			}
			File << "]]></mesh>\n</meshes>\n</orvane>\n";
			File.close();
			StageBytes = static_cast<long long>(std::filesystem::file_size(StagePath));
		}

		~FConvertFiles()
		{
			std::error_code Error;
			std::filesystem::remove_all(Directory, Error);
		}
	};

	FConvertFiles& Files()
	{
		static FConvertFiles Instance;
		return Instance;
	}

	/** Runs the tool with the arguments, its output discarded; returns the seconds taken and the child's peak memory. */
	bool RunTool(const std::vector<std::string>& Arguments, double& OutSeconds, long& OutPeakKilobytes)
	{
		const auto Start = std::chrono::steady_clock::now();
		const pid_t Child = ::fork();
		if (Child == 0)
		{
			std::freopen("/dev/null", "w", stdout);
			std::freopen("/dev/null", "w", stderr);
			std::vector<char*> Argv;
			Argv.push_back(const_cast<char*>(ORVANE_TOOL_PATH));
			for (const std::string& Argument : Arguments)
			{
				Argv.push_back(const_cast<char*>(Argument.c_str()));
			}
			Argv.push_back(nullptr);
			::execv(ORVANE_TOOL_PATH, Argv.data());
			std::_Exit(127);
		}
		int Status = 0;
		struct rusage Usage = {};
		if (Child < 0 || ::wait4(Child, &Status, 0, &Usage) != Child)
		{
			return false;
		}
		OutSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
		OutPeakKilobytes = Usage.ru_maxrss;
		return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
	}

	void Measure(benchmark::State& State, const std::vector<std::string>& Arguments)
	{
		long PeakKilobytes = 0;
		for (auto _ : State)
		{
			double Seconds = 0.0;
			if (!RunTool(Arguments, Seconds, PeakKilobytes))
			{
				State.SkipWithError("the tool failed");
				return;
			}
			State.SetIterationTime(Seconds);
		}
		State.counters["PeakMB"] = PeakKilobytes / 1024.0;
		State.counters["PeakPerFileSize"] = PeakKilobytes * 1024.0 / static_cast<double>(Files().StageBytes);
		State.counters["FileMB"] = Files().StageBytes / (1024.0 * 1024.0);
	}

	/** The baseline: reading the stage and printing its records. */
	void BM_StageInspect64Walls(benchmark::State& State)
	{
		Measure(State, {"stage", "inspect", Files().StagePath});
	}
	BENCHMARK(BM_StageInspect64Walls)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

	/** Reading, 64 wall meshes built and saved, and the configuration written. */
	void BM_StageConvert64Walls(benchmark::State& State)
	{
		Measure(State, {"stage", "convert", Files().StagePath, "--project", (Files().Directory / "Project").string()});
	}
	BENCHMARK(BM_StageConvert64Walls)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
}
