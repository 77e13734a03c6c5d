// Copyright Kelmora. All Rights Reserved.
#include "HeadlessProject.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>
#include <unistd.h>

FScopedHeadlessProject::FScopedHeadlessProject()
{
	static std::atomic<int> Counter{0};
	std::random_device Random;
	const std::filesystem::path Base = std::filesystem::temp_directory_path() / ("HeadlessProject-" + std::to_string(::getpid()) + "-" + std::to_string(Counter++) + "-" + std::to_string(Random()));
	std::error_code Error;
	std::filesystem::create_directories(Base / "Content", Error);
	NativeDir = Base.generic_string();
	ProjectDir = FString(NativeDir.c_str()) + TEXT("/");
	if (const char* Existing = std::getenv("ORVANE_PROJECT_DIR"))
	{
		bHadPrevious = true;
		Previous = Existing;
	}
	::setenv("ORVANE_PROJECT_DIR", NativeDir.c_str(), 1);
}

FScopedHeadlessProject::~FScopedHeadlessProject()
{
	if (bHadPrevious)
	{
		::setenv("ORVANE_PROJECT_DIR", Previous.c_str(), 1);
	}
	else
	{
		::unsetenv("ORVANE_PROJECT_DIR");
	}
	std::error_code Error;
	std::filesystem::remove_all(NativeDir, Error);
}
