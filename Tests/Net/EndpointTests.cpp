// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Interfaces/IPv4/IPv4Address.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "SocketSubsystem.h"

#include <gtest/gtest.h>

namespace
{
	bool ParseEndpoint(const TCHAR* Text, FIPv4Endpoint* Out = nullptr)
	{
		FIPv4Endpoint Endpoint;
		const bool bParsed = FIPv4Endpoint::Parse(FString(Text), Endpoint);
		if (Out)
		{
			*Out = Endpoint;
		}
		return bParsed;
	}
}

TEST(IPv4Address, ComponentsAndValueShareHostByteOrder)
{
	const FIPv4Address Address(192, 168, 0, 1);
	EXPECT_EQ(Address.Value, 0xC0A80001u);
	EXPECT_EQ(FIPv4Address(0xC0A80001u), Address);
	EXPECT_EQ(Address.ToString(), TEXT("192.168.0.1"));
	EXPECT_EQ(FIPv4Address::InternalLoopback.ToString(), TEXT("127.0.0.1"));
	EXPECT_EQ(FIPv4Address::Any.Value, 0u);
	EXPECT_EQ(FIPv4Address::LanBroadcast.Value, 0xFFFFFFFFu);
}

TEST(IPv4Address, ParseFollowsTheEngineRules)
{
	FIPv4Address Address;
	ASSERT_TRUE(FIPv4Address::Parse(TEXT("1.2.3.4"), Address));
	EXPECT_EQ(Address, FIPv4Address(1, 2, 3, 4));

	// Atoi per part: leading zeros and spaces are read, an empty part is 0.
	ASSERT_TRUE(FIPv4Address::Parse(TEXT("01.002.3. 4"), Address));
	EXPECT_EQ(Address, FIPv4Address(1, 2, 3, 4));
	ASSERT_TRUE(FIPv4Address::Parse(TEXT("1.2.3."), Address));
	EXPECT_EQ(Address, FIPv4Address(1, 2, 3, 0));

	const FIPv4Address Before(9, 9, 9, 9);
	for (const TCHAR* Bad : {TEXT(""), TEXT("1.2.3"), TEXT("1.2.3.4."), TEXT(".1.2.3.4"), TEXT("256.1.1.1"), TEXT("1.2.3.-1"), TEXT("1.2.3.99999999999999999999")})
	{
		Address = Before;
		EXPECT_FALSE(FIPv4Address::Parse(Bad, Address)) << "accepted " << FString(Bad).Len() << " chars";
		EXPECT_EQ(Address, Before) << "a refused parse must leave the address alone";
	}
}

TEST(IPv4Endpoint, ParseAndToStringAreSymmetric)
{
	FIPv4Endpoint Endpoint;
	ASSERT_TRUE(ParseEndpoint(TEXT("192.168.1.20:9001"), &Endpoint));
	EXPECT_EQ(Endpoint.Address, FIPv4Address(192, 168, 1, 20));
	EXPECT_EQ(Endpoint.Port, 9001);
	EXPECT_EQ(Endpoint.ToString(), TEXT("192.168.1.20:9001"));

	FIPv4Endpoint Again;
	ASSERT_TRUE(FIPv4Endpoint::Parse(Endpoint.ToString(), Again));
	EXPECT_EQ(Again, Endpoint);
	EXPECT_EQ(FIPv4Endpoint::Any.ToString(), TEXT("0.0.0.0:0"));
	ASSERT_TRUE(ParseEndpoint(TEXT("0.0.0.0:65535"), &Endpoint));
	EXPECT_EQ(Endpoint.Port, 65535);
}

TEST(IPv4Endpoint, ParseRefusesHostileText)
{
	for (const TCHAR* Bad : {TEXT(""), TEXT(":"), TEXT(":9001"), TEXT("999.1.1.1:1"), TEXT("1.2.3.4:70000"), TEXT("1.2.3.4:-1"), TEXT("1.2.3.4:65536"), TEXT("1.2.3.4:1:2"), TEXT("1.2.3.4"), TEXT("1.2.3:9001"), TEXT("[::1]:9001"), TEXT("1.2.3.4:99999999999999999999")})
	{
		EXPECT_FALSE(ParseEndpoint(Bad)) << "accepted a text of " << FString(Bad).Len() << " chars";
	}

	FString Huge;
	Huge.Reserve(300000);
	for (int32 Index = 0; Index < 100000; ++Index)
	{
		Huge += TEXT("1.");
	}
	EXPECT_FALSE(ParseEndpoint(*(Huge + TEXT(":9001"))));
	EXPECT_FALSE(ParseEndpoint(*(FString::ChrN(200000, TEXT('9')) + TEXT(".1.1.1:1"))));
	EXPECT_FALSE(ParseEndpoint(*(FString(TEXT("1.2.3.4:")) + FString::ChrN(200000, TEXT('9')))));
}

TEST(IPv4Endpoint, ParseKeepsTheEngineLeniency)
{
	FIPv4Endpoint Endpoint;
	// As in the engine, the port is read with Atoi: an empty or non-numeric port is port 0.
	ASSERT_TRUE(ParseEndpoint(TEXT("1.2.3.4:"), &Endpoint));
	EXPECT_EQ(Endpoint.Port, 0);
	ASSERT_TRUE(ParseEndpoint(TEXT("1.2.3.4:9001abc"), &Endpoint));
	EXPECT_EQ(Endpoint.Port, 9001);

	// Non-ASCII digits are not digits: the part reads as 0, nothing crashes.
	ASSERT_TRUE(ParseEndpoint(TEXT("\uFF11.2.3.4:\uFF19"), &Endpoint));
	EXPECT_EQ(Endpoint.Address, FIPv4Address(0, 2, 3, 4));
	EXPECT_EQ(Endpoint.Port, 0);
	EXPECT_FALSE(ParseEndpoint(TEXT("1.2.3.4\uFF1A9001")));
}

TEST(IPv4Endpoint, ConvertsToAndFromInternetAddresses)
{
	const FIPv4Endpoint Endpoint(FIPv4Address::InternalLoopback, 9001);
	TSharedRef<FInternetAddr> Addr = Endpoint.ToInternetAddr();
	EXPECT_EQ(Addr->ToString(true), TEXT("127.0.0.1:9001"));
	EXPECT_EQ(Addr->ToString(false), TEXT("127.0.0.1"));
	EXPECT_EQ(Addr->GetProtocolType(), FNetworkProtocolTypes::IPv4);
	EXPECT_EQ(FIPv4Endpoint(TSharedPtr<FInternetAddr>(Addr)), Endpoint);
}

TEST(InternetAddr, SetIpAcceptsOnlyDottedQuads)
{
	ISocketSubsystem* Subsystem = ISocketSubsystem::Get();
	ASSERT_NE(Subsystem, nullptr);
	EXPECT_EQ(Subsystem, ISocketSubsystem::Get(PLATFORM_SOCKETSUBSYSTEM));
	EXPECT_EQ(ISocketSubsystem::Get(FName(TEXT("NoSuchSubsystem"))), nullptr);

	TSharedRef<FInternetAddr> Addr = Subsystem->CreateInternetAddr();
	EXPECT_FALSE(Addr->IsValid());
	bool bIsValid = false;
	Addr->SetIp(TEXT("127.0.0.1:9001"), bIsValid);
	ASSERT_TRUE(bIsValid);
	EXPECT_EQ(Addr->GetPort(), 9001);
	EXPECT_TRUE(Addr->IsValid());
	uint32 Ip = 0;
	Addr->GetIp(Ip);
	EXPECT_EQ(Ip, 0x7F000001u);

	for (const TCHAR* Bad : {TEXT(""), TEXT("localhost"), TEXT("1.2.3.4:"), TEXT("1.2.3.4:70000"), TEXT("300.1.1.1"), TEXT("1.2.3.4:-1"), TEXT("\u00E9.1.1.1")})
	{
		Addr->SetIp(Bad, bIsValid);
		EXPECT_FALSE(bIsValid);
	}
	EXPECT_FALSE(Subsystem->GetAddressFromString(TEXT("not an address")).IsValid());

	TSharedRef<FInternetAddr> Copy = Addr->Clone();
	EXPECT_TRUE(*Copy == *Addr);
	Copy->SetPort(1);
	EXPECT_FALSE(*Copy == *Addr);
}
