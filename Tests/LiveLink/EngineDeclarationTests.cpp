// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "HAL/PlatformTime.h"
#include "LiveLinkPresetTypes.h"
#include "LiveLinkSourceFactory.h"
#include "LiveLinkTypes.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "Roles/LiveLinkTransformTypes.h"

#include <gtest/gtest.h>

#include <type_traits>

// The host declares these as the engine does, so code written against them here compiles there.
static_assert(std::is_same_v<FLiveLinkStaticDataStruct, FLiveLinkBaseDataStruct<FLiveLinkBaseStaticData>>, "an alias, not a subclass");
static_assert(std::is_same_v<FLiveLinkFrameDataStruct, FLiveLinkBaseDataStruct<FLiveLinkBaseFrameData>>, "an alias, not a subclass");
void TakesWorldTime(FLiveLinkWorldTime);
template <typename ValueType>
constexpr bool bTwoValuesConvertToWorldTime = requires(ValueType Value)
{
	TakesWorldTime({Value, Value});
};
static_assert(!bTwoValuesConvertToWorldTime<double>, "the two-value constructor is explicit");
static_assert(std::is_convertible_v<double, FLiveLinkWorldTime>, "the one-value constructor is not");
static_assert(std::is_same_v<decltype(&FLiveLinkWorldTime::SetClockOffset), void (FLiveLinkWorldTime::*)(double)>);
static_assert(std::is_same_v<decltype(static_cast<TSharedPtr<ILiveLinkSource> (ULiveLinkSourceFactory::*)(const FLiveLinkSourcePreset&)>(&ULiveLinkSourceFactory::CreateSource)), TSharedPtr<ILiveLinkSource> (ULiveLinkSourceFactory::*)(const FLiveLinkSourcePreset&)>);
static_assert(std::is_same_v<decltype(static_cast<void (FJsonObject::*)(FString&&, const FString&)>(&FJsonObject::SetStringField)), void (FJsonObject::*)(FString&&, const FString&)>);
static_assert(std::is_same_v<decltype(static_cast<void (FJsonObject::*)(const FString&, FString&&)>(&FJsonObject::SetStringField)), void (FJsonObject::*)(const FString&, FString&&)>);
static_assert(std::is_same_v<decltype(static_cast<void (FJsonObject::*)(FString&&, const TArray<TSharedPtr<FJsonValue>>&)>(&FJsonObject::SetArrayField)), void (FJsonObject::*)(FString&&, const TArray<TSharedPtr<FJsonValue>>&)>);
static_assert(std::is_same_v<decltype(static_cast<void (FJsonObject::*)(const FString&, TArray<TSharedPtr<FJsonValue>>&&)>(&FJsonObject::SetArrayField)), void (FJsonObject::*)(const FString&, TArray<TSharedPtr<FJsonValue>>&&)>);

TEST(EngineLiveLinkDeclarations, StaticDataStartsWithEveryCapabilityOffButDepthOfField)
{
	// A source that forgets a flag must not claim a capability it does not send.
	const FLiveLinkCameraStaticData Camera;
	EXPECT_FALSE(Camera.bIsFieldOfViewSupported);
	EXPECT_FALSE(Camera.bIsAspectRatioSupported);
	EXPECT_FALSE(Camera.bIsFocalLengthSupported);
	EXPECT_FALSE(Camera.bIsProjectionModeSupported);
	EXPECT_FALSE(Camera.bIsApertureSupported);
	EXPECT_FALSE(Camera.bIsFocusDistanceSupported);
	EXPECT_TRUE(Camera.bIsDepthOfFieldSupported);
	EXPECT_EQ(Camera.FilmBackWidth, -1.0f);
	EXPECT_EQ(Camera.FilmBackHeight, -1.0f);
	const FLiveLinkTransformStaticData Transform;
	EXPECT_TRUE(Transform.bIsLocationSupported);
	EXPECT_TRUE(Transform.bIsRotationSupported);
	EXPECT_FALSE(Transform.bIsScaleSupported);
}

TEST(EngineLiveLinkDeclarations, WorldTimeStartsAtNowOnTheEngineClock)
{
	const double Before = FPlatformTime::Seconds();
	FLiveLinkWorldTime Time;
	const double After = FPlatformTime::Seconds();
	EXPECT_GE(Time.GetSourceTime(), Before);
	EXPECT_LE(Time.GetSourceTime(), After);
	EXPECT_EQ(Time.GetOffset(), 0.0);
	Time.SetClockOffset(2.5);
	EXPECT_EQ(Time.GetOffsettedTime(), Time.GetSourceTime() + 2.5);
	const FLiveLinkWorldTime Explicit(10.0, 1.0);
	EXPECT_EQ(Explicit.GetOffsettedTime(), 11.0);
}

TEST(EngineLiveLinkDeclarations, FactoryFunctionsLeftUnimplementedEndTheProcess)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	const ULiveLinkSourceFactory* Base = ULiveLinkSourceFactory::StaticClass()->GetDefaultObject<ULiveLinkSourceFactory>();
	ASSERT_NE(Base, nullptr);
	EXPECT_DEATH(Base->GetSourceDisplayName(), "");
	EXPECT_DEATH(Base->GetSourceTooltip(), "");
	EXPECT_DEATH(Base->CreateSource(FString(TEXT("127.0.0.1:9001"))), "");
	EXPECT_EQ(Base->GetMenuType(), ULiveLinkSourceFactory::EMenuType::Disabled);
}

TEST(EngineLiveLinkDeclarations, JsonSettersKeepWhatTheyAreNotGivenToMove)
{
	FJsonObject Object;
	const FString Value(TEXT("kept"));
	FString Key(TEXT("a"));
	Object.SetStringField(MoveTemp(Key), Value);
	EXPECT_EQ(Value, FString(TEXT("kept")));
	const TArray<TSharedPtr<FJsonValue>> Array{MakeShared<FJsonValueNumber>(1.0)};
	Object.SetArrayField(FString(TEXT("b")), Array);
	EXPECT_EQ(Array.Num(), 1);
	FString Text;
	EXPECT_TRUE(Object.TryGetStringField(TEXT("a"), Text) && Text == TEXT("kept"));
	const TArray<TSharedPtr<FJsonValue>>* Read = nullptr;
	EXPECT_TRUE(Object.TryGetArrayField(TEXT("b"), Read) && Read->Num() == 1);
}
