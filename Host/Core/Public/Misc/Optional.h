// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Optional.h: a value that may be unset.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <optional>
#include <utility>

/** Holds a value of OptionalType or nothing. */
template <typename OptionalType>
class TOptional
{
public:
	TOptional() = default;
	TOptional(const OptionalType& InValue)
		: Value(InValue)
	{
	}
	TOptional(OptionalType&& InValue)
		: Value(std::move(InValue))
	{
	}

	TOptional& operator=(const OptionalType& InValue)
	{
		Value = InValue;
		return *this;
	}
	TOptional& operator=(OptionalType&& InValue)
	{
		Value = std::move(InValue);
		return *this;
	}

	/** Makes a value in place from Args, replacing any value held. */
	template <typename... ArgTypes>
	OptionalType& Emplace(ArgTypes&&... Args)
	{
		return Value.emplace(std::forward<ArgTypes>(Args)...);
	}

	bool IsSet() const { return Value.has_value(); }
	explicit operator bool() const { return IsSet(); }
	/** Drops the value. */
	void Reset() { Value.reset(); }

	/** The value, which must be set. */
	OptionalType& GetValue()
	{
		checkf(IsSet(), TEXT("It is an error to call GetValue() on an unset TOptional. Please either check IsSet() or use Get(DefaultValue) instead."));
		return *Value;
	}
	const OptionalType& GetValue() const
	{
		checkf(IsSet(), TEXT("It is an error to call GetValue() on an unset TOptional. Please either check IsSet() or use Get(DefaultValue) instead."));
		return *Value;
	}
	/** The value, or DefaultValue when unset. */
	const OptionalType& Get(const OptionalType& DefaultValue) const { return IsSet() ? *Value : DefaultValue; }

private:
	std::optional<OptionalType> Value;
};
