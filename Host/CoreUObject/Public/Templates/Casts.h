// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Templates/Casts.h: Cast and CastChecked between object types.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/ObjectPtr.h"

#include <type_traits>

/** The object as To if its class is To or derives from it; otherwise null. */
template <class To, class From>
FORCEINLINE To* Cast(From* Src)
{
	if (Src && Src->IsA(To::StaticClass()))
	{
		return static_cast<To*>(Src);
	}
	return nullptr;
}
template <class To, class From>
FORCEINLINE const To* Cast(const From* Src)
{
	if (Src && Src->IsA(To::StaticClass()))
	{
		return static_cast<const To*>(Src);
	}
	return nullptr;
}
template <class To, class From>
FORCEINLINE To* Cast(const TObjectPtr<From>& Src)
{
	return Cast<To>(Src.Get());
}

/** How CastChecked treats null. */
namespace ECastCheckedType
{
	enum Type
	{
		NullAllowed,
		NullChecked
	};
}

/** As Cast, but asserts that the cast succeeds (and, by default, that Src is not null). */
template <class To, class From>
FORCEINLINE To* CastChecked(From* Src, ECastCheckedType::Type CheckType = ECastCheckedType::NullChecked)
{
	if (!Src)
	{
		check(CheckType == ECastCheckedType::NullAllowed);
		return nullptr;
	}
	To* Result = Cast<To>(Src);
	check(Result);
	return Result;
}
template <class To, class From>
FORCEINLINE const To* CastChecked(const From* Src, ECastCheckedType::Type CheckType = ECastCheckedType::NullChecked)
{
	if (!Src)
	{
		check(CheckType == ECastCheckedType::NullAllowed);
		return nullptr;
	}
	const To* Result = Cast<To>(Src);
	check(Result);
	return Result;
}

/** Exact-class cast: succeeds only if the object's class is To itself. */
template <class To, class From>
FORCEINLINE To* ExactCast(From* Src)
{
	return Src && Src->GetClass() == To::StaticClass() ? static_cast<To*>(Src) : nullptr;
}
