// Copyright Kelmora. All Rights Reserved.
// This file includes nothing that defines IPlatformFile: the manager's header only declares it, as the
// engine's does, so code calling the platform file must include GenericPlatform/GenericPlatformFile.h itself.
#include "HAL/PlatformFileManager.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace
{
	template <typename T, typename = void>
	struct TIsDefinedHere : std::false_type
	{
	};
	template <typename T>
	struct TIsDefinedHere<T, std::void_t<decltype(sizeof(T))>> : std::true_type
	{
	};
}

TEST(PlatformFileManagerHeader, OnlyDeclaresThePlatformFile)
{
	EXPECT_FALSE(TIsDefinedHere<IPlatformFile>::value);
	EXPECT_TRUE(TIsDefinedHere<FPlatformFileManager>::value);
}
