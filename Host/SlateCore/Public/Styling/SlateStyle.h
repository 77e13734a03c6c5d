// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/SlateStyle.h.
#pragma once

#include "CoreMinimal.h"
#include "Styling/ISlateStyle.h"

#include <memory>

/** A style set filled in code: brushes, fonts and widget styles under names, with files under a content root. */
class FSlateStyleSet : public ISlateStyle
{
public:
	SLATECORE_API explicit FSlateStyleSet(const FName& InStyleSetName);
	SLATECORE_API ~FSlateStyleSet() override;

	SLATECORE_API const FName& GetStyleSetName() const override;

	/** The folder the set's image files are found in. */
	SLATECORE_API virtual void SetContentRoot(const FString& InContentRootDir);
	/** RelativePath with Extension under the content root. */
	SLATECORE_API FString RootToContentDir(const FString& RelativePath, const TCHAR* Extension) const;
	SLATECORE_API FString RootToContentDir(const TCHAR* RelativePath, const TCHAR* Extension) const;
	SLATECORE_API FString RootToContentDir(const FString& RelativePath) const;

	/** Adds a brush; the set owns it from now on (a brush already under that name is deleted). */
	SLATECORE_API void Set(const FName PropertyName, FSlateBrush* InBrush);
	/** Adds a brush of a brush type; the set owns it from now on. */
	template <typename BrushType>
	void Set(const FName PropertyName, BrushType* InBrush)
	{
		Set(PropertyName, static_cast<FSlateBrush*>(InBrush));
	}
	/** Adds a font. */
	SLATECORE_API void Set(const FName PropertyName, const FSlateFontInfo& InFontInfo);
	/** Adds a colour. */
	SLATECORE_API void Set(const FName PropertyName, const FSlateColor& InColor);
	/** Adds a widget style (copied). */
	template <typename DefinitionType>
	void Set(const FName PropertyName, const DefinitionType& InStyleDefinition)
	{
		std::shared_ptr<DefinitionType> Copy = std::make_shared<DefinitionType>(InStyleDefinition);
		Copy->HostStyleName = PropertyName;
		WidgetStyles.Add(PropertyName, MoveTemp(Copy));
	}

	SLATECORE_API const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const ISlateStyle* RequestingStyle = nullptr) const override;
	SLATECORE_API const FSlateBrush* GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const FSlateBrush* const DefaultBrush = nullptr) const override;
	SLATECORE_API FSlateFontInfo GetFontStyle(const FName PropertyName, const ANSICHAR* Specifier = nullptr) const override;
	SLATECORE_API const FSlateColor GetSlateColor(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const ISlateStyle* RequestingStyle = nullptr) const override;

	/** The brush drawn where a brush is missing. */
	SLATECORE_API static const FSlateBrush* GetDefaultBrush();

protected:
	SLATECORE_API const FSlateWidgetStyle* GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName, const FSlateWidgetStyle* DefaultStyle, bool bWarnIfNotFound) const override;

private:
	FName StyleSetName;
	FString ContentRootDir;
	TMap<FName, FSlateBrush*> BrushResources;
	TMap<FName, FSlateFontInfo> FontInfoResources;
	TMap<FName, FSlateColor> ColorValues;
	TMap<FName, std::shared_ptr<FSlateWidgetStyle>> WidgetStyles;
};
