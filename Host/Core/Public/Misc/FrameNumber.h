// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/FrameNumber.h.
#pragma once

#include "CoreTypes.h"

/**
 * A whole frame number at some frame rate. Arithmetic wraps on int32 overflow (two's complement) where the
 * engine's would be undefined.
 */
struct FFrameNumber
{
	/** The frame. */
	int32 Value;

	constexpr FFrameNumber()
		: Value(0)
	{
	}
	/** Implicit from an integer frame, as in the engine. */
	constexpr FFrameNumber(int32 InValue)
		: Value(InValue)
	{
	}

	FFrameNumber& operator+=(FFrameNumber RHS)
	{
		Value = Wrap(int64(Value) + RHS.Value);
		return *this;
	}
	FFrameNumber& operator-=(FFrameNumber RHS)
	{
		Value = Wrap(int64(Value) - RHS.Value);
		return *this;
	}
	FFrameNumber& operator++()
	{
		return *this += 1;
	}
	FFrameNumber& operator--()
	{
		return *this -= 1;
	}
	FFrameNumber operator++(int)
	{
		const FFrameNumber Old = *this;
		++*this;
		return Old;
	}
	FFrameNumber operator--(int)
	{
		const FFrameNumber Old = *this;
		--*this;
		return Old;
	}

	friend bool operator==(FFrameNumber A, FFrameNumber B) { return A.Value == B.Value; }
	friend bool operator!=(FFrameNumber A, FFrameNumber B) { return A.Value != B.Value; }
	friend bool operator<(FFrameNumber A, FFrameNumber B) { return A.Value < B.Value; }
	friend bool operator>(FFrameNumber A, FFrameNumber B) { return A.Value > B.Value; }
	friend bool operator<=(FFrameNumber A, FFrameNumber B) { return A.Value <= B.Value; }
	friend bool operator>=(FFrameNumber A, FFrameNumber B) { return A.Value >= B.Value; }
	friend FFrameNumber operator+(FFrameNumber A, FFrameNumber B) { return A += B; }
	friend FFrameNumber operator-(FFrameNumber A, FFrameNumber B) { return A -= B; }
	friend FFrameNumber operator-(FFrameNumber A) { return FFrameNumber(Wrap(-int64(A.Value))); }

	friend uint32 GetTypeHash(FFrameNumber A) { return static_cast<uint32>(A.Value); }

private:
	static constexpr int32 Wrap(int64 In) { return static_cast<int32>(static_cast<uint32>(static_cast<uint64>(In))); }
};
