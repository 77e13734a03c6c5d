// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Attribute.h.
// The engine keeps this header in Core; the host keeps it with SlateCore, its only user so far.
#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Templates/UnrealTemplate.h"

#include <type_traits>

/** A value of a widget that is either set once or read through a getter delegate on every Get. */
template <typename ObjectType>
class TAttribute
{
public:
	/** Reads the attribute's value. */
	DECLARE_DELEGATE_RetVal(ObjectType, FGetter);

	/** An attribute that is not set. */
	TAttribute()
		: Value()
		, bIsSet(false)
	{
	}

	/** An attribute set to a value (anything ObjectType can be made from). */
	template <typename OtherType, typename = std::enable_if_t<std::is_constructible_v<ObjectType, const OtherType&>>>
	TAttribute(const OtherType& InInitialValue)
		: Value(InInitialValue)
		, bIsSet(true)
	{
	}

	/** An attribute set to a value. */
	TAttribute(ObjectType&& InInitialValue)
		: Value(MoveTemp(InInitialValue))
		, bIsSet(true)
	{
	}

	/** An attribute read through a getter. */
	TAttribute(const FGetter& InGetter)
		: Value()
		, bIsSet(true)
		, Getter(InGetter)
	{
	}

	/** An attribute read through a const member function of a shared object, held weakly. */
	template <class SourceType>
	TAttribute(TSharedRef<SourceType> InUserObject, typename TMemFunPtrType<true, SourceType, ObjectType()>::Type InMethodPtr)
		: Value()
		, bIsSet(true)
		, Getter(FGetter::CreateSP(InUserObject, InMethodPtr))
	{
	}

	/** An attribute read through a const member function of an object deriving from TSharedFromThis. */
	template <class SourceType>
	TAttribute(SourceType* InUserObject, typename TMemFunPtrType<true, SourceType, ObjectType()>::Type InMethodPtr)
		: Value()
		, bIsSet(true)
		, Getter(FGetter::CreateSP(InUserObject, InMethodPtr))
	{
	}

	/** An attribute read through a getter. */
	[[nodiscard]] static TAttribute Create(const FGetter& InGetter) { return TAttribute(InGetter); }

	/** An attribute read through a lambda. */
	template <typename LambdaType>
	[[nodiscard]] static TAttribute CreateLambda(LambdaType&& InCallable)
	{
		return TAttribute(FGetter::CreateLambda(Forward<LambdaType>(InCallable)));
	}

	/** Sets a value and drops any getter. */
	template <typename OtherType>
	void Set(OtherType&& InNewValue)
	{
		Getter.Unbind();
		Value = Forward<OtherType>(InNewValue);
		bIsSet = true;
	}

	/** True when the attribute has a value or a getter. */
	bool IsSet() const { return bIsSet; }

	/** True when the attribute reads through a getter that can still be called. */
	bool IsBound() const { return Getter.IsBound(); }

	/** The value; a getter whose object has died leaves the last value read. */
	const ObjectType& Get() const
	{
		if (Getter.IsBound())
		{
			Value = Getter.Execute();
		}
		return Value;
	}

	/** The value, or DefaultValue when the attribute is not set. */
	const ObjectType& Get(const ObjectType& DefaultValue) const { return bIsSet ? Get() : DefaultValue; }

	/** Reads the attribute through a getter from now on. */
	void Bind(const FGetter& InGetter)
	{
		bIsSet = true;
		Getter = InGetter;
	}

	/** The getter, unbound when the attribute holds a plain value. */
	const FGetter& GetBinding() const { return Getter; }

private:
	mutable ObjectType Value;
	bool bIsSet;
	FGetter Getter;
};
