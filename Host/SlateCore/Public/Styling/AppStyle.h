// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/AppStyle.h: the application's style set (the editor's, in the editor).
#pragma once

#include "CoreMinimal.h"
#include "Styling/ISlateStyle.h"

/**
 * The application's style. Host: an editor style holding the names the plug-in looks up (brushes
 * "Brushes.Panel", "Brushes.Recessed", "ClassIcon.*"; fonts "PropertyWindow.BoldFont", "ToolBar.Label.Font",
 * "NormalFont"; button styles "Button", "SimpleButton", "FlatButton.*"); every other name is missing, as a
 * misspelt name is in the engine.
 */
class FAppStyle
{
public:
	SLATECORE_API static const ISlateStyle& Get();
	/** The name of the application's style set ("EditorStyle" in the editor). */
	SLATECORE_API static const FName GetAppStyleSetName();

	template <class T>
	static const T& GetWidgetStyle(FName PropertyName, const ANSICHAR* Specifier = nullptr)
	{
		return Get().GetWidgetStyle<T>(PropertyName, Specifier);
	}
	static const FSlateBrush* GetBrush(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetBrush(PropertyName, Specifier); }
	static const FSlateBrush* GetOptionalBrush(FName PropertyName, const ANSICHAR* Specifier = nullptr, const FSlateBrush* const DefaultBrush = nullptr) { return Get().GetOptionalBrush(PropertyName, Specifier, DefaultBrush); }
	static FSlateFontInfo GetFontStyle(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetFontStyle(PropertyName, Specifier); }
	static const FSlateColor GetSlateColor(FName PropertyName, const ANSICHAR* Specifier = nullptr) { return Get().GetSlateColor(PropertyName, Specifier); }
};
