// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/ISlateStyle.h: a named collection of brushes, fonts and widget styles.
#pragma once

#include "CoreMinimal.h"
#include "Fonts/SlateFontInfo.h"
#include "Styling/SlateBrush.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateWidgetStyle.h"

/** A style set the widgets look their brushes, fonts and styles up in by name. */
class ISlateStyle
{
public:
	virtual ~ISlateStyle() = default;

	/** The name the set is registered under. */
	virtual const FName& GetStyleSetName() const = 0;

	/** The brush of that name (PropertyName with Specifier appended); the default brush, with a warning, when there is none. */
	virtual const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const ISlateStyle* RequestingStyle = nullptr) const = 0;
	/** The brush of that name, or DefaultBrush when there is none. */
	virtual const FSlateBrush* GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const FSlateBrush* const DefaultBrush = nullptr) const = 0;
	/** The font of that name; a default font, with a warning, when there is none. */
	virtual FSlateFontInfo GetFontStyle(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const = 0;
	/** The colour of that name. */
	virtual const FSlateColor GetSlateColor(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const ISlateStyle* RequestingStyle = nullptr) const = 0;

	/** The widget style of type T and that name; T's default, with a warning, when there is none. */
	template <typename T>
	const T& GetWidgetStyle(FName DesiredTypeName, const ANSICHAR* Specifier = nullptr, const ISlateStyle* RequestingStyle = nullptr) const
	{
		const FSlateWidgetStyle* Found = GetWidgetStyleInternal(T::TypeName, Join(DesiredTypeName, Specifier), &T::GetDefault(), true);
		return *static_cast<const T*>(Found);
	}

	/** True when the set has a widget style of type T and that name. */
	template <typename T>
	bool HasWidgetStyle(FName StyleName, const ANSICHAR* Specifier = nullptr) const
	{
		return GetWidgetStyleInternal(T::TypeName, Join(StyleName, Specifier), nullptr, false) != nullptr;
	}

protected:
	/** The widget style of that type and name, or DefaultStyle (warning when bWarnIfNotFound) when there is none. */
	virtual const FSlateWidgetStyle* GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName, const FSlateWidgetStyle* DefaultStyle, bool bWarnIfNotFound) const = 0;

	/** PropertyName followed by Specifier, as the engine joins them. */
	static FName Join(const FName PropertyName, const ANSICHAR* Specifier)
	{
		return Specifier ? FName(*(PropertyName.ToString() + FString(Specifier))) : PropertyName;
	}
};
