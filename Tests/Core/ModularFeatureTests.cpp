// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Features/IModularFeature.h"
#include "Features/IModularFeatures.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
	class IGreeter : public IModularFeature
	{
	public:
		virtual int32 Greet() const = 0;
	};

	class FGreeter final : public IGreeter
	{
	public:
		explicit FGreeter(int32 InValue)
			: Value(InValue)
		{
		}
		int32 Greet() const override { return Value; }

	private:
		int32 Value;
	};
}

TEST(ModularFeatureRegistry, RegistersFindsAndUnregisters)
{
	const FName Type(TEXT("HostTestGreeter"));
	IModularFeatures& Features = IModularFeatures::Get();
	FGreeter First(1);
	FGreeter Second(2);
	EXPECT_FALSE(Features.IsModularFeatureAvailable(Type));
	EXPECT_EQ(Features.GetModularFeatureImplementation(Type, 0), nullptr);

	Features.RegisterModularFeature(Type, &First);
	Features.RegisterModularFeature(Type, &Second);
	Features.RegisterModularFeature(Type, &First);
	Features.RegisterModularFeature(Type, nullptr);
	EXPECT_EQ(Features.GetModularFeatureImplementationCount(Type), 2);
	EXPECT_EQ(Features.GetModularFeature<IGreeter>(Type).Greet(), 1);
	EXPECT_EQ(Features.GetModularFeatureImplementation(Type, 1), &Second);
	EXPECT_EQ(Features.GetModularFeatureImplementation(Type, 2), nullptr);
	EXPECT_EQ(Features.GetModularFeatureImplementation(Type, -1), nullptr);
	EXPECT_FALSE(Features.IsModularFeatureAvailable(FName(TEXT("HostTestOtherType"))));

	Features.UnregisterModularFeature(Type, &First);
	Features.UnregisterModularFeature(Type, &First);
	EXPECT_EQ(Features.GetModularFeature<IGreeter>(Type).Greet(), 2);
	Features.UnregisterModularFeature(Type, &Second);
	EXPECT_FALSE(Features.IsModularFeatureAvailable(Type));
}

TEST(ModularFeatureRegistry, AnnouncesRegistrationToCallbacksThatMayQuery)
{
	const FName Type(TEXT("HostTestAnnounced"));
	IModularFeatures& Features = IModularFeatures::Get();
	FGreeter Greeter(7);
	int32 SeenCount = -1;
	IModularFeature* SeenFeature = nullptr;
	const FDelegateHandle Handle = Features.OnModularFeatureRegistered().AddLambda([&](const FName& InType, IModularFeature* Feature)
		{
			if (InType == Type)
			{
				SeenFeature = Feature;
				SeenCount = IModularFeatures::Get().GetModularFeatureImplementationCount(InType);
			} });
	Features.RegisterModularFeature(Type, &Greeter);
	EXPECT_EQ(SeenFeature, &Greeter);
	EXPECT_EQ(SeenCount, 1);
	EXPECT_TRUE(Features.OnModularFeatureRegistered().Remove(Handle));
	Features.UnregisterModularFeature(Type, &Greeter);
}

TEST(ModularFeatureRegistry, ConcurrentRegistrationKeepsEveryImplementation)
{
	const FName Type(TEXT("HostTestConcurrent"));
	IModularFeatures& Features = IModularFeatures::Get();
	std::vector<FGreeter> Greeters;
	for (int32 Index = 0; Index < 400; ++Index)
	{
		Greeters.emplace_back(Index);
	}
	std::vector<std::thread> Threads;
	for (int32 ThreadIndex = 0; ThreadIndex < 4; ++ThreadIndex)
	{
		Threads.emplace_back([&, ThreadIndex]
			{
				for (int32 Index = ThreadIndex; Index < 400; Index += 4)
				{
					Features.RegisterModularFeature(Type, &Greeters[Index]);
					(void)Features.IsModularFeatureAvailable(Type);
				} });
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_EQ(Features.GetModularFeatureImplementationCount(Type), 400);
	for (FGreeter& Greeter : Greeters)
	{
		Features.UnregisterModularFeature(Type, &Greeter);
	}
	EXPECT_EQ(Features.GetModularFeatureImplementationCount(Type), 0);
}
