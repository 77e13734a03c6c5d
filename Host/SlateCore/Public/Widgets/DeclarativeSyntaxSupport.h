// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/DeclarativeSyntaxSupport.h: SNew, SAssignNew and the SLATE_ argument macros.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Layout/Visibility.h"
#include "Misc/Attribute.h"
#include "Styling/ISlateStyle.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SWidget.h"

#include <tuple>
#include <type_traits>
#include <utility>

namespace UE::Slate::Private
{
	/** The member function type a delegate binds to UserClass with the given payload. */
	template <typename DelegateType, bool bConst, typename UserClass, typename... VarTypes>
	struct TDelegateMethodPtr;

	template <typename RetValType, typename... ParamTypes, bool bConst, typename UserClass, typename... VarTypes>
	struct TDelegateMethodPtr<TDelegate<RetValType(ParamTypes...)>, bConst, UserClass, VarTypes...>
	{
		using Type = typename TMemFunPtrType<bConst, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type;
	};
}

/** A slot argument's content; the null widget until set. */
struct TAlwaysValidWidget
{
	TAlwaysValidWidget()
		: Widget(SNullWidget::NullWidget)
	{
	}

	TSharedRef<SWidget> Widget;
};

/** What a named slot argument returns: `[ content ]` sets the content and returns the arguments. */
template <class DeclarationType>
struct NamedSlotProperty
{
	NamedSlotProperty(DeclarationType& InOwnerDeclaration, TAlwaysValidWidget& InSlotContent)
		: OwnerDeclaration(InOwnerDeclaration)
		, SlotContent(InSlotContent)
	{
	}

	DeclarationType& operator[](const TSharedRef<SWidget>& InChild)
	{
		SlotContent.Widget = InChild;
		return OwnerDeclaration;
	}

	DeclarationType& OwnerDeclaration;
	TAlwaysValidWidget& SlotContent;
};

/** The arguments every widget takes. */
struct FSlateBaseNamedArgs
{
	TAttribute<EVisibility> _Visibility = TAttribute<EVisibility>(EVisibility::Visible);
	TAttribute<bool> _IsEnabled = TAttribute<bool>(true);
	TAttribute<FText> _ToolTipText;
	FName _Tag;
};

/** Binds a widget argument's attribute, the forms shared by SLATE_ATTRIBUTE and the base arguments. */
#define SLATE_PRIVATE_ATTRIBUTE_FUNCTION(AttrType, AttrName)                                                                                                                                                              \
	WidgetArgsType& AttrName(const TAttribute<AttrType>& InAttribute)                                                                                                                                                     \
	{                                                                                                                                                                                                                     \
		this->_##AttrName = InAttribute;                                                                                                                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                                                  \
	}                                                                                                                                                                                                                     \
	WidgetArgsType& AttrName##_Lambda(TFunction<AttrType(void)>&& InFunctor)                                                                                                                                              \
	{                                                                                                                                                                                                                     \
		this->_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateLambda(MoveTemp(InFunctor)));                                                                                               \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                                                  \
	}                                                                                                                                                                                                                     \
	template <class UserClass, typename... VarTypes>                                                                                                                                                                      \
	WidgetArgsType& AttrName##_Raw(const UserClass* InUserObject, typename UE::Slate::Private::TDelegateMethodPtr<typename TAttribute<AttrType>::FGetter, true, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)   \
	{                                                                                                                                                                                                                     \
		this->_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateRaw(InUserObject, InFunc, Vars...));                                                                                        \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                                                  \
	}                                                                                                                                                                                                                     \
	template <class UserClass, typename... VarTypes>                                                                                                                                                                      \
	WidgetArgsType& AttrName(TSharedRef<UserClass> InUserObjectRef, typename UE::Slate::Private::TDelegateMethodPtr<typename TAttribute<AttrType>::FGetter, true, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars) \
	{                                                                                                                                                                                                                     \
		this->_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateSP(InUserObjectRef, InFunc, Vars...));                                                                                      \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                                                  \
	}                                                                                                                                                                                                                     \
	template <class UserClass, typename... VarTypes>                                                                                                                                                                      \
	WidgetArgsType& AttrName(UserClass* InUserObject, typename UE::Slate::Private::TDelegateMethodPtr<typename TAttribute<AttrType>::FGetter, true, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)               \
	{                                                                                                                                                                                                                     \
		this->_##AttrName = TAttribute<AttrType>::Create(TAttribute<AttrType>::FGetter::CreateSP(InUserObject, InFunc, Vars...));                                                                                         \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                                                  \
	}

/** The base of every widget's FArguments, returning the derived arguments from each setter. */
template <typename InWidgetType>
struct TSlateBaseNamedArgs : public FSlateBaseNamedArgs
{
	using WidgetArgsType = typename InWidgetType::FArguments;

	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(EVisibility, Visibility)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(bool, IsEnabled)
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(FText, ToolTipText)

	/** Sets the tag tests and tools find the widget by. */
	WidgetArgsType& Tag(FName InTag)
	{
		_Tag = InTag;
		return Me();
	}

	/** The derived arguments. */
	WidgetArgsType& Me() { return *static_cast<WidgetArgsType*>(this); }
};

/** Opens a widget's FArguments; follow with an optional member initialiser list and `{}`. */
#define SLATE_BEGIN_ARGS(InWidgetType)                           \
public:                                                          \
	struct FArguments : public TSlateBaseNamedArgs<InWidgetType> \
	{                                                            \
		typedef FArguments WidgetArgsType;                       \
		typedef InWidgetType WidgetType;                         \
		FArguments()

/** Closes a widget's FArguments. */
#define SLATE_END_ARGS() \
	}                    \
	;

/** An argument read through TAttribute: a value, a lambda, or a const member function. */
#define SLATE_ATTRIBUTE(AttrType, AttrName) \
	TAttribute<AttrType> _##AttrName;       \
	SLATE_PRIVATE_ATTRIBUTE_FUNCTION(AttrType, AttrName)

/** A plain value argument. */
#define SLATE_ARGUMENT(ArgType, ArgName)                 \
	ArgType _##ArgName;                                  \
	WidgetArgsType& ArgName(ArgType InArg)               \
	{                                                    \
		_##ArgName = MoveTemp(InArg);                    \
		return static_cast<WidgetArgsType*>(this)->Me(); \
	}

/**
 * A delegate argument: `.Name(Delegate)`, `.Name_Lambda(Functor)`, `.Name_Raw(Object, &Class::Method)`, and
 * `.Name(this, &Class::Method)` or `.Name(SharedRef, &Class::Method)`, which bind weakly (CreateSP).
 */
#define SLATE_EVENT(DelegateName, EventName)                                                                                                                                                      \
	DelegateName _##EventName;                                                                                                                                                                    \
	WidgetArgsType& EventName(const DelegateName& InDelegate)                                                                                                                                     \
	{                                                                                                                                                                                             \
		_##EventName = InDelegate;                                                                                                                                                                \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	WidgetArgsType& EventName(DelegateName&& InDelegate)                                                                                                                                          \
	{                                                                                                                                                                                             \
		_##EventName = MoveTemp(InDelegate);                                                                                                                                                      \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <typename FunctorType, typename... VarTypes>                                                                                                                                         \
	WidgetArgsType& EventName##_Lambda(FunctorType&& InFunctor, VarTypes... Vars)                                                                                                                 \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateLambda(Forward<FunctorType>(InFunctor), Vars...);                                                                                                      \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <class UserClass, typename... VarTypes>                                                                                                                                              \
	WidgetArgsType& EventName##_Raw(UserClass* InUserObject, typename UE::Slate::Private::TDelegateMethodPtr<DelegateName, false, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)         \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateRaw(InUserObject, InFunc, Vars...);                                                                                                                    \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <class UserClass, typename... VarTypes>                                                                                                                                              \
	WidgetArgsType& EventName##_Raw(const UserClass* InUserObject, typename UE::Slate::Private::TDelegateMethodPtr<DelegateName, true, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)    \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateRaw(InUserObject, InFunc, Vars...);                                                                                                                    \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <class UserClass, typename... VarTypes>                                                                                                                                              \
	WidgetArgsType& EventName(TSharedRef<UserClass> InUserObjectRef, typename UE::Slate::Private::TDelegateMethodPtr<DelegateName, false, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars) \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateSP(InUserObjectRef, InFunc, Vars...);                                                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <class UserClass, typename... VarTypes>                                                                                                                                              \
	WidgetArgsType& EventName(TSharedRef<UserClass> InUserObjectRef, typename UE::Slate::Private::TDelegateMethodPtr<DelegateName, true, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)  \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateSP(InUserObjectRef, InFunc, Vars...);                                                                                                                  \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <class UserClass, typename... VarTypes>                                                                                                                                              \
	WidgetArgsType& EventName(UserClass* InUserObject, typename UE::Slate::Private::TDelegateMethodPtr<DelegateName, false, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)               \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateSP(InUserObject, InFunc, Vars...);                                                                                                                     \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}                                                                                                                                                                                             \
	template <class UserClass, typename... VarTypes>                                                                                                                                              \
	WidgetArgsType& EventName(const UserClass* InUserObject, typename UE::Slate::Private::TDelegateMethodPtr<DelegateName, true, UserClass, VarTypes...>::Type InFunc, VarTypes... Vars)          \
	{                                                                                                                                                                                             \
		_##EventName = DelegateName::CreateSP(InUserObject, InFunc, Vars...);                                                                                                                     \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                                                                                          \
	}

/** A style argument: `.Name(&Style)` or `.Name(&StyleSet, "StyleName")`, which looks the style up in the set. */
#define SLATE_STYLE_ARGUMENT(ArgType, ArgName)                                                                            \
	const ArgType* _##ArgName = nullptr;                                                                                  \
	WidgetArgsType& ArgName(const ArgType* InArg)                                                                         \
	{                                                                                                                     \
		_##ArgName = InArg;                                                                                               \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                  \
	}                                                                                                                     \
	WidgetArgsType& ArgName(const ISlateStyle* InSlateStyle, const FName& StyleName, const ANSICHAR* Specifier = nullptr) \
	{                                                                                                                     \
		check(InSlateStyle);                                                                                              \
		_##ArgName = &InSlateStyle->GetWidgetStyle<ArgType>(StyleName, Specifier);                                        \
		return static_cast<WidgetArgsType*>(this)->Me();                                                                  \
	}

/** A slot argument set with `.SlotName()[ content ]`. */
#define SLATE_NAMED_SLOT(DeclarationType, SlotName)                    \
	NamedSlotProperty<DeclarationType> SlotName()                      \
	{                                                                  \
		return NamedSlotProperty<DeclarationType>(*this, _##SlotName); \
	}                                                                  \
	TAlwaysValidWidget _##SlotName;

/** The slot argument `[ content ]` sets directly on the arguments. */
#define SLATE_DEFAULT_SLOT(DeclarationType, SlotName)               \
	SLATE_NAMED_SLOT(DeclarationType, SlotName)                     \
	DeclarationType& operator[](const TSharedRef<SWidget>& InChild) \
	{                                                               \
		_##SlotName.Widget = InChild;                               \
		return static_cast<WidgetArgsType*>(this)->Me();            \
	}

namespace RequiredArgs
{
	/** The extra arguments of SNew(WidgetType, Args...), passed to Construct after FArguments. */
	template <typename... ArgTypes>
	struct TRequiredArgs
	{
		std::tuple<ArgTypes&&...> Args;

		template <class WidgetType>
		void CallConstruct(const TSharedRef<WidgetType>& OnWidget, const typename WidgetType::FArguments& WithNamedArgs) const
		{
			std::apply([&](auto&&... Unpacked)
				{ OnWidget->Construct(WithNamedArgs, std::forward<decltype(Unpacked)>(Unpacked)...); },
				Args);
		}
	};

	/** Captures the extra arguments of SNew for the length of the expression. */
	template <typename... ArgTypes>
	TRequiredArgs<ArgTypes...> MakeRequiredArgs(ArgTypes&&... InArgs)
	{
		return TRequiredArgs<ArgTypes...>{std::forward_as_tuple(std::forward<ArgTypes>(InArgs)...)};
	}
}

/** A widget under construction: made by SNew, exposed by SAssignNew, constructed by `<<=` with its arguments. */
template <class WidgetType, typename RequiredArgsPayloadType>
struct TSlateDecl
{
	TSlateDecl(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, RequiredArgsPayloadType&& InRequiredArgs)
		: _Widget(MakeShared<WidgetType>())
		, _RequiredArgs(MoveTemp(InRequiredArgs))
	{
		_Widget->SetDebugInfo(InType, InFile, OnLine, sizeof(WidgetType));
	}

	/** Stores the widget in a shared pointer before it is constructed. */
	template <class ExposeAsWidgetType>
	TSlateDecl&& Expose(TSharedPtr<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = _Widget;
		return MoveTemp(*this);
	}
	/** Stores the widget in a shared reference before it is constructed. */
	template <class ExposeAsWidgetType>
	TSlateDecl&& Expose(TSharedRef<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = _Widget;
		return MoveTemp(*this);
	}
	/** Stores the widget in a weak pointer before it is constructed. */
	template <class ExposeAsWidgetType>
	TSlateDecl&& Expose(TWeakPtr<ExposeAsWidgetType>& OutVarToInit) &&
	{
		OutVarToInit = _Widget;
		return MoveTemp(*this);
	}

	/** Applies the arguments, calls Construct and hands out the widget. */
	TSharedRef<WidgetType> operator<<=(const typename WidgetType::FArguments& InArgs) &&
	{
		_Widget->SWidgetConstruct(InArgs);
		_RequiredArgs.CallConstruct(_Widget, InArgs);
		return _Widget;
	}

	TSharedRef<WidgetType> _Widget;
	RequiredArgsPayloadType _RequiredArgs;
};

/** Starts a widget declaration; SNew and SAssignNew call it. */
template <typename WidgetType, typename RequiredArgsPayloadType>
TSlateDecl<WidgetType, RequiredArgsPayloadType> MakeTDecl(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, RequiredArgsPayloadType&& InRequiredArgs)
{
	return TSlateDecl<WidgetType, RequiredArgsPayloadType>(InType, InFile, OnLine, Forward<RequiredArgsPayloadType>(InRequiredArgs));
}

/** Makes and constructs a widget: `SNew(SButton).OnClicked(...)[ content ]`. */
#define SNew(WidgetType, ...) \
	MakeTDecl<WidgetType>(#WidgetType, __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs(__VA_ARGS__)) <<= typename WidgetType::FArguments()

/** As SNew, and also stores the widget in ExposeAs (a TSharedPtr, TSharedRef or TWeakPtr). */
#define SAssignNew(ExposeAs, WidgetType, ...) \
	MakeTDecl<WidgetType>(#WidgetType, __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs(__VA_ARGS__)).Expose(ExposeAs) <<= typename WidgetType::FArguments()
