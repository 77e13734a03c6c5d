// Copyright Kelmora. All Rights Reserved.
#include "Interfaces/IPv4/IPv4Address.h"

#include "Misc/CString.h"

const FIPv4Address FIPv4Address::Any(0, 0, 0, 0);
const FIPv4Address FIPv4Address::InternalLoopback(127, 0, 0, 1);
const FIPv4Address FIPv4Address::LanBroadcast(255, 255, 255, 255);

FString FIPv4Address::ToString() const
{
	return FString::Printf(TEXT("%i.%i.%i.%i"), A, B, C, D);
}

bool FIPv4Address::Parse(const FString& AddressString, FIPv4Address& OutAddress)
{
	// The engine's rules (checked against a UE 5 engine copy): split on '.', keep empty parts, read each
	// part with Atoi, and refuse a part outside 0..255.
	TArray<FString> Tokens;
	if (AddressString.ParseIntoArray(Tokens, TEXT("."), false) != 4)
	{
		return false;
	}
	int32 Parts[4];
	for (int32 Index = 0; Index < 4; ++Index)
	{
		Parts[Index] = FCString::Atoi(*Tokens[Index]);
		if (Parts[Index] < 0 || Parts[Index] > 255)
		{
			return false;
		}
	}
	OutAddress = FIPv4Address(static_cast<uint8>(Parts[0]), static_cast<uint8>(Parts[1]), static_cast<uint8>(Parts[2]), static_cast<uint8>(Parts[3]));
	return true;
}
