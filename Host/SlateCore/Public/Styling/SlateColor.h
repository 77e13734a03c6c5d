// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/SlateColor.h: which colour rule a widget follows, without colour values.
#pragma once

#include "CoreMinimal.h"

/** A colour that is either given or follows the widget's foreground. */
struct FSlateColor
{
	/** Host only: the rules a colour can follow. */
	enum class EHostRule : uint8
	{
		Specified,
		Foreground,
		SubduedForeground,
	};

	FSlateColor() = default;

	/** The foreground colour of the widget's parent. */
	static FSlateColor UseForeground() { return FSlateColor(EHostRule::Foreground); }
	/** The subdued foreground colour of the widget's parent. */
	static FSlateColor UseSubduedForeground() { return FSlateColor(EHostRule::SubduedForeground); }

	bool IsColorSpecified() const { return Rule == EHostRule::Specified; }
	/** Host only: the rule this colour follows. */
	EHostRule HostGetRule() const { return Rule; }

private:
	explicit FSlateColor(EHostRule InRule)
		: Rule(InRule)
	{
	}

	EHostRule Rule = EHostRule::Specified;
};
