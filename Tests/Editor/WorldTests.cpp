// Copyright Kelmora. All Rights Reserved.
#include "Engine/World.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(Worlds, KeepTheirTypeInOneByteAsTheEngineDoes)
{
	static_assert(std::is_same_v<decltype(UWorld::WorldType), TEnumAsByte<EWorldType::Type>>);
	static_assert(sizeof(UWorld::WorldType) == 1);

	UWorld* World = UWorld::CreateWorld(EWorldType::EditorPreview, false, FName(TEXT("OneByteWorld")));
	ASSERT_NE(World, nullptr);
	EXPECT_EQ(World->WorldType, EWorldType::EditorPreview);
	EXPECT_TRUE(World->WorldType != EWorldType::Editor);
	EXPECT_FALSE(World->IsGameWorld());
	World->WorldType = EWorldType::PIE;
	EXPECT_EQ(World->WorldType.GetValue(), EWorldType::PIE);
	EXPECT_TRUE(World->IsGameWorld());
	World->RemoveFromRoot();
}
