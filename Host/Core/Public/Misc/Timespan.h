// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Timespan.h: a time span in ticks of 100 nanoseconds.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

#include <cmath>
#include <cstdint>

namespace ETimespan
{
	/** The maximum number of ticks that can be represented in FTimespan. */
	inline constexpr int64 MaxTicks = INT64_MAX;
	/** The minimum number of ticks that can be represented in FTimespan. */
	inline constexpr int64 MinTicks = INT64_MIN;
	inline constexpr int64 NanosecondsPerTick = 100;
	inline constexpr int64 TicksPerDay = 864000000000;
	inline constexpr int64 TicksPerHour = 36000000000;
	inline constexpr int64 TicksPerMicrosecond = 10;
	inline constexpr int64 TicksPerMillisecond = 10000;
	inline constexpr int64 TicksPerMinute = 600000000;
	inline constexpr int64 TicksPerSecond = 10000000;
	inline constexpr int64 TicksPerWeek = 6048000000000;
	inline constexpr int64 TicksPerYear = 365 * TicksPerDay;
}

/** A time span, positive or negative, in ticks of 100 ns. */
class FTimespan
{
public:
	FTimespan() = default;

	/** A span of the given number of 100 ns ticks. */
	explicit constexpr FTimespan(int64 InTicks)
		: Ticks(InTicks)
	{
	}

	FTimespan(int32 Hours, int32 Minutes, int32 Seconds) { Assign(0, Hours, Minutes, Seconds, 0); }
	FTimespan(int32 Days, int32 Hours, int32 Minutes, int32 Seconds) { Assign(Days, Hours, Minutes, Seconds, 0); }
	FTimespan(int32 Days, int32 Hours, int32 Minutes, int32 Seconds, int32 FractionNano) { Assign(Days, Hours, Minutes, Seconds, FractionNano); }

	constexpr FTimespan operator+(const FTimespan& Other) const { return FTimespan(Ticks + Other.Ticks); }
	constexpr FTimespan operator-(const FTimespan& Other) const { return FTimespan(Ticks - Other.Ticks); }
	constexpr FTimespan operator-() const { return FTimespan(-Ticks); }
	FTimespan operator*(double Scalar) const { return FTimespan(static_cast<int64>(static_cast<double>(Ticks) * Scalar)); }
	FTimespan operator/(double Scalar) const { return FTimespan(static_cast<int64>(static_cast<double>(Ticks) / Scalar)); }
	FTimespan& operator+=(const FTimespan& Other)
	{
		Ticks += Other.Ticks;
		return *this;
	}
	FTimespan& operator-=(const FTimespan& Other)
	{
		Ticks -= Other.Ticks;
		return *this;
	}
	constexpr bool operator==(const FTimespan& Other) const { return Ticks == Other.Ticks; }
	constexpr bool operator!=(const FTimespan& Other) const { return Ticks != Other.Ticks; }
	constexpr bool operator<(const FTimespan& Other) const { return Ticks < Other.Ticks; }
	constexpr bool operator<=(const FTimespan& Other) const { return Ticks <= Other.Ticks; }
	constexpr bool operator>(const FTimespan& Other) const { return Ticks > Other.Ticks; }
	constexpr bool operator>=(const FTimespan& Other) const { return Ticks >= Other.Ticks; }

	constexpr int64 GetTicks() const { return Ticks; }
	constexpr int32 GetDays() const { return static_cast<int32>(Ticks / ETimespan::TicksPerDay); }
	constexpr int32 GetHours() const { return static_cast<int32>((Ticks / ETimespan::TicksPerHour) % 24); }
	constexpr int32 GetMinutes() const { return static_cast<int32>((Ticks / ETimespan::TicksPerMinute) % 60); }
	constexpr int32 GetSeconds() const { return static_cast<int32>((Ticks / ETimespan::TicksPerSecond) % 60); }
	constexpr int32 GetFractionMilli() const { return static_cast<int32>((Ticks % ETimespan::TicksPerSecond) / ETimespan::TicksPerMillisecond); }
	constexpr int32 GetFractionMicro() const { return static_cast<int32>((Ticks % ETimespan::TicksPerSecond) / ETimespan::TicksPerMicrosecond); }
	constexpr int32 GetFractionTicks() const { return static_cast<int32>(Ticks % ETimespan::TicksPerSecond); }
	constexpr int32 GetFractionNano() const { return static_cast<int32>((Ticks % ETimespan::TicksPerSecond) * ETimespan::NanosecondsPerTick); }

	constexpr double GetTotalDays() const { return static_cast<double>(Ticks) / ETimespan::TicksPerDay; }
	constexpr double GetTotalHours() const { return static_cast<double>(Ticks) / ETimespan::TicksPerHour; }
	constexpr double GetTotalMinutes() const { return static_cast<double>(Ticks) / ETimespan::TicksPerMinute; }
	constexpr double GetTotalSeconds() const { return static_cast<double>(Ticks) / ETimespan::TicksPerSecond; }
	constexpr double GetTotalMilliseconds() const { return static_cast<double>(Ticks) / ETimespan::TicksPerMillisecond; }
	constexpr double GetTotalMicroseconds() const { return static_cast<double>(Ticks) / ETimespan::TicksPerMicrosecond; }

	constexpr FTimespan GetDuration() const { return FTimespan(Ticks >= 0 ? Ticks : -Ticks); }
	constexpr bool IsZero() const { return Ticks == 0; }

	/** "+hh:mm:ss.fff", with "d." before the hours when there are whole days and "-" for negative spans. */
	FString ToString() const
	{
		const FTimespan Span = GetDuration();
		const TCHAR* Sign = Ticks < 0 ? TEXT("-") : TEXT("+");
		if (Span.GetDays() == 0)
		{
			return FString::Printf(TEXT("%s%02d:%02d:%02d.%03d"), Sign, Span.GetHours(), Span.GetMinutes(), Span.GetSeconds(), Span.GetFractionMilli());
		}
		return FString::Printf(TEXT("%s%d.%02d:%02d:%02d.%03d"), Sign, Span.GetDays(), Span.GetHours(), Span.GetMinutes(), Span.GetSeconds(), Span.GetFractionMilli());
	}

	// The engine rounds half away from zero when it turns a fractional count into ticks.
	static FTimespan FromDays(double Days) { return FTimespan(RoundTicks(Days * ETimespan::TicksPerDay)); }
	static FTimespan FromHours(double Hours) { return FTimespan(RoundTicks(Hours * ETimespan::TicksPerHour)); }
	static FTimespan FromMinutes(double Minutes) { return FTimespan(RoundTicks(Minutes * ETimespan::TicksPerMinute)); }
	static FTimespan FromSeconds(double Seconds) { return FTimespan(RoundTicks(Seconds * ETimespan::TicksPerSecond)); }
	static FTimespan FromMilliseconds(double Milliseconds) { return FTimespan(RoundTicks(Milliseconds * ETimespan::TicksPerMillisecond)); }
	static FTimespan FromMicroseconds(double Microseconds) { return FTimespan(RoundTicks(Microseconds * ETimespan::TicksPerMicrosecond)); }

	static constexpr FTimespan Zero() { return FTimespan(0); }
	static constexpr FTimespan MaxValue() { return FTimespan(ETimespan::MaxTicks); }
	static constexpr FTimespan MinValue() { return FTimespan(ETimespan::MinTicks); }

private:
	void Assign(int32 Days, int32 Hours, int32 Minutes, int32 Seconds, int32 FractionNano)
	{
		Ticks = Days * ETimespan::TicksPerDay + Hours * ETimespan::TicksPerHour + Minutes * ETimespan::TicksPerMinute + Seconds * ETimespan::TicksPerSecond + FractionNano / ETimespan::NanosecondsPerTick;
	}

	// Saturates instead of overflowing, so a huge or non-finite count never becomes undefined behaviour.
	static int64 RoundTicks(double Value)
	{
		if (std::isnan(Value))
		{
			return 0;
		}
		const double Rounded = std::round(Value);
		if (Rounded >= 9.2233720368547758e18)
		{
			return ETimespan::MaxTicks;
		}
		if (Rounded <= -9.2233720368547758e18)
		{
			return ETimespan::MinTicks;
		}
		return static_cast<int64>(Rounded);
	}

	int64 Ticks = 0;
};

inline uint32 GetTypeHash(const FTimespan& Timespan)
{
	const uint64 Ticks = static_cast<uint64>(Timespan.GetTicks());
	return static_cast<uint32>(Ticks ^ (Ticks >> 32));
}
