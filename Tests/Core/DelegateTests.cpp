// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Delegates/Delegate.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

DECLARE_DELEGATE_OneParam(FOnValue, int32);
DECLARE_DELEGATE_RetVal_TwoParams(int32, FCombine, int32, int32);
DECLARE_DELEGATE_FourParams(FOnFour, int32, int32, int32, int32);
DECLARE_MULTICAST_DELEGATE_OneParam(FOnValueMulticast, int32);

namespace
{
	std::string GCalls;

	void RecordWithPayload(int32 Value, FString Tag, int32 Extra)
	{
		GCalls += std::to_string(Value) + ":" + TCHAR_TO_UTF8(*Tag) + ":" + std::to_string(Extra) + ";";
	}

	int32 SubtractThenScale(int32 A, int32 B, int32 Scale)
	{
		return (A - B) * Scale;
	}

	class FListener : public TSharedFromThis<FListener>
	{
	public:
		void OnValue(int32 Value) { Received.push_back(Value); }
		void OnValueTagged(int32 Value, int32 Tag) { Received.push_back(Value * 100 + Tag); }
		int32 Offset(int32 A, int32 B) const { return A + B + Base; }

		std::vector<int32> Received;
		int32 Base = 1000;
	};
}

TEST(DelegatePayload, FollowsTheCallArgumentsForEveryBindingKind)
{
	GCalls.clear();
	FOnValue Static = FOnValue::CreateStatic(&RecordWithPayload, FString(TEXT("tag")), 7);
	EXPECT_TRUE(Static.ExecuteIfBound(1));
	EXPECT_EQ(GCalls, "1:tag:7;");

	FCombine Combine = FCombine::CreateStatic(&SubtractThenScale, 10);
	EXPECT_EQ(Combine.Execute(5, 2), 30);

	FOnFour Lambda = FOnFour::CreateLambda([](int32 A, int32 B, int32 C, int32 D, const std::string& Tail)
		{ GCalls = std::to_string(A * 1000 + B * 100 + C * 10 + D) + Tail; },
		std::string("!"));
	Lambda.Execute(1, 2, 3, 4);
	EXPECT_EQ(GCalls, "1234!");

	FListener Listener;
	FOnValue Raw = FOnValue::CreateRaw(&Listener, &FListener::OnValueTagged, 5);
	Raw.Execute(3);
	EXPECT_EQ(Listener.Received, std::vector<int32>{305});

	const FListener& ConstListener = Listener;
	FCombine ConstRaw = FCombine::CreateRaw(&ConstListener, &FListener::Offset);
	EXPECT_EQ(ConstRaw.Execute(1, 2), 1003);
}

TEST(DelegateBinding, UnboundAndRebound)
{
	FOnValue Delegate;
	EXPECT_FALSE(Delegate.IsBound());
	EXPECT_FALSE(Delegate.ExecuteIfBound(1));
	EXPECT_FALSE(Delegate.GetHandle().IsValid());

	int32 Seen = 0;
	Delegate.BindLambda([&Seen](int32 Value)
		{ Seen = Value; });
	EXPECT_TRUE(Delegate.IsBound());
	const FOnValue Copy = Delegate;
	EXPECT_EQ(Copy.GetHandle(), Delegate.GetHandle());
	Delegate.Unbind();
	EXPECT_FALSE(Delegate.IsBound());
	EXPECT_TRUE(Copy.ExecuteIfBound(9));
	EXPECT_EQ(Seen, 9);

	// A binding that rebinds its own delegate mid-call must finish on the old binding safely.
	FOnValue SelfReplacing;
	SelfReplacing.BindLambda([&SelfReplacing, &Seen, Payload = std::string(64, 'x')](int32 Value)
		{
			SelfReplacing.BindLambda([&Seen](int32 Inner) { Seen = -Inner; });
			Seen = Value + static_cast<int32>(Payload.size()); });
	SelfReplacing.Execute(1);
	EXPECT_EQ(Seen, 65);
	SelfReplacing.Execute(2);
	EXPECT_EQ(Seen, -2);
}

TEST(DelegateSharedPointer, NotCalledAfterTheObjectDies)
{
	TSharedPtr<FListener> Listener = MakeShared<FListener>();
	FListener* Raw = Listener.Get();
	FOnValue Single = FOnValue::CreateSP(Listener.ToSharedRef(), &FListener::OnValue);
	FOnValue FromThis;
	FromThis.BindSP(Raw, &FListener::OnValueTagged, 1);
	FOnValueMulticast Multi;
	const FDelegateHandle Handle = Multi.AddSP(Listener.ToSharedRef(), &FListener::OnValue);

	EXPECT_TRUE(Single.ExecuteIfBound(1));
	EXPECT_TRUE(FromThis.ExecuteIfBound(2));
	Multi.Broadcast(3);
	EXPECT_EQ(Listener->Received, (std::vector<int32>{1, 201, 3}));

	Listener.Reset();
	EXPECT_FALSE(Single.IsBound());
	EXPECT_FALSE(Single.ExecuteIfBound(4));
	EXPECT_FALSE(FromThis.ExecuteIfBound(5));
	Multi.Broadcast(6);
	// A dead binding is dropped after the broadcast; removing it by handle afterwards finds nothing.
	EXPECT_FALSE(Multi.IsBound());
	EXPECT_FALSE(Multi.Remove(Handle));
}

TEST(DelegateHandles, AreUniqueAcrossBindingsAndThreads)
{
	FDelegateHandle Default;
	EXPECT_FALSE(Default.IsValid());

	std::vector<std::vector<FDelegateHandle>> PerThread(4);
	std::vector<std::thread> Threads;
	for (std::vector<FDelegateHandle>& Handles : PerThread)
	{
		Threads.emplace_back([&Handles]
			{
				FOnValueMulticast Local;
				for (int32 Index = 0; Index < 2000; ++Index)
				{
					Handles.push_back(Local.AddLambda([](int32) {}));
				} });
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	std::set<uint32> Hashes;
	size_t Total = 0;
	std::vector<FDelegateHandle> All;
	for (const std::vector<FDelegateHandle>& Handles : PerThread)
	{
		for (const FDelegateHandle& Handle : Handles)
		{
			ASSERT_TRUE(Handle.IsValid());
			All.push_back(Handle);
			++Total;
		}
	}
	for (size_t A = 0; A < All.size(); A += 97)
	{
		for (size_t B = A + 1; B < All.size(); ++B)
		{
			ASSERT_NE(All[A], All[B]);
		}
	}
	EXPECT_EQ(Total, 8000u);

	FDelegateHandle Copy = All.front();
	Copy.Reset();
	EXPECT_FALSE(Copy.IsValid());
}

TEST(MulticastRemoval, ByHandleAndByObject)
{
	FOnValueMulticast Multi;
	FListener Listener;
	int32 LambdaCalls = 0;
	const FDelegateHandle LambdaHandle = Multi.AddLambda([&LambdaCalls](int32)
		{ ++LambdaCalls; });
	Multi.AddRaw(&Listener, &FListener::OnValue);
	Multi.AddRaw(&Listener, &FListener::OnValueTagged, 2);
	EXPECT_FALSE(Multi.Add(FOnValueMulticast::FDelegate()).IsValid());

	Multi.Broadcast(1);
	EXPECT_EQ(LambdaCalls, 1);
	EXPECT_EQ(Multi.RemoveAll(&Listener), 2);
	EXPECT_TRUE(Multi.Remove(LambdaHandle));
	EXPECT_FALSE(Multi.Remove(LambdaHandle));
	EXPECT_FALSE(Multi.Remove(FDelegateHandle()));
	EXPECT_FALSE(Multi.IsBound());
	Multi.Broadcast(2);
	EXPECT_EQ(LambdaCalls, 1);
	EXPECT_EQ(Listener.Received, (std::vector<int32>{102, 1}));
}

TEST(MulticastRemoval, DuringBroadcastIsSafeAndTakesEffectAtOnce)
{
	FOnValueMulticast Multi;
	std::string Order;
	FDelegateHandle First;
	FDelegateHandle Self;
	// Bindings run newest first, as in the engine: added order First, Remover, SelfRemover.
	First = Multi.AddLambda([&Order](int32)
		{ Order += "first;"; });
	Multi.AddLambda([&](int32)
		{
			Order += "remover;";
			Multi.Remove(First);
			Multi.AddLambda([&Order](int32) { Order += "late;"; }); });
	Self = Multi.AddLambda([&, Payload = std::string(100, 'p')](int32)
		{
			Order += "self;";
			Multi.Remove(Self);
			// The binding's captures must still be alive after it removed itself.
			Order += std::to_string(Payload.size()) + ";"; });

	Multi.Broadcast(0);
	EXPECT_EQ(Order, "self;100;remover;");
	Order.clear();
	Multi.Broadcast(0);
	EXPECT_EQ(Order, "late;remover;");
}

TEST(MulticastRemoval, ClearDuringBroadcastStopsRemainingBindings)
{
	FOnValueMulticast Multi;
	int32 Calls = 0;
	Multi.AddLambda([&Calls](int32)
		{ ++Calls; });
	Multi.AddLambda([&](int32)
		{
			++Calls;
			Multi.Clear(); });
	Multi.Broadcast(0);
	EXPECT_EQ(Calls, 1);
	EXPECT_FALSE(Multi.IsBound());
	Multi.AddLambda([&Calls](int32)
		{ Calls += 10; });
	Multi.Broadcast(0);
	EXPECT_EQ(Calls, 11);
}

TEST(MulticastRemoval, SimpleMulticastWithStaticPayload)
{
	FSimpleMulticastDelegate Ticked;
	GCalls.clear();
	Ticked.AddStatic(
		+[](int32 Payload)
		{ GCalls += std::to_string(Payload); },
		42);
	EXPECT_TRUE(Ticked.IsBound());
	Ticked.Broadcast();
	EXPECT_EQ(GCalls, "42");
	FSimpleDelegate Simple = FSimpleDelegate::CreateLambda([]
		{ GCalls += "!"; });
	Ticked.Add(Simple);
	Ticked.Broadcast();
	EXPECT_EQ(GCalls, "42!42");
	EXPECT_TRUE(Ticked.Remove(Simple.GetHandle()));
}
