// Copyright Kelmora. All Rights Reserved.
#include "Styling/SlateStyle.h"

#include "Brushes/SlateImageBrush.h"
#include "Logging/LogMacros.h"
#include "Misc/AssertionMacros.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "Styling/SlateTypes.h"

DEFINE_LOG_CATEGORY_STATIC(LogSlateStyle, Log, All);

const FName FButtonStyle::TypeName(TEXT("FButtonStyle"));
const FName FCheckBoxStyle::TypeName(TEXT("FCheckBoxStyle"));

const FButtonStyle& FButtonStyle::GetDefault()
{
	static const FButtonStyle Default;
	return Default;
}

const FCheckBoxStyle& FCheckBoxStyle::GetDefault()
{
	static const FCheckBoxStyle Default;
	return Default;
}

FSlateStyleSet::FSlateStyleSet(const FName& InStyleSetName)
	: StyleSetName(InStyleSetName)
{
}

FSlateStyleSet::~FSlateStyleSet()
{
	for (TPair<FName, FSlateBrush*>& Pair : BrushResources)
	{
		delete Pair.Value;
	}
}

const FName& FSlateStyleSet::GetStyleSetName() const
{
	return StyleSetName;
}

void FSlateStyleSet::SetContentRoot(const FString& InContentRootDir)
{
	ContentRootDir = InContentRootDir;
}

FString FSlateStyleSet::RootToContentDir(const FString& RelativePath, const TCHAR* Extension) const
{
	return ContentRootDir / RelativePath + Extension;
}

FString FSlateStyleSet::RootToContentDir(const TCHAR* RelativePath, const TCHAR* Extension) const
{
	return RootToContentDir(FString(RelativePath), Extension);
}

FString FSlateStyleSet::RootToContentDir(const FString& RelativePath) const
{
	return ContentRootDir / RelativePath;
}

void FSlateStyleSet::Set(const FName PropertyName, FSlateBrush* InBrush)
{
	if (FSlateBrush** Existing = BrushResources.Find(PropertyName))
	{
		delete *Existing;
	}
	InBrush->HostStyleName = PropertyName;
	BrushResources.Add(PropertyName, InBrush);
}

void FSlateStyleSet::Set(const FName PropertyName, const FSlateFontInfo& InFontInfo)
{
	FSlateFontInfo Font = InFontInfo;
	Font.HostStyleName = PropertyName;
	FontInfoResources.Add(PropertyName, Font);
}

void FSlateStyleSet::Set(const FName PropertyName, const FSlateColor& InColor)
{
	ColorValues.Add(PropertyName, InColor);
}

const FSlateBrush* FSlateStyleSet::GetDefaultBrush()
{
	static const FSlateBrush Default;
	return &Default;
}

const FSlateBrush* FSlateStyleSet::GetBrush(const FName PropertyName, const ANSICHAR* Specifier, const ISlateStyle* RequestingStyle) const
{
	const FName Name = Join(PropertyName, Specifier);
	if (FSlateBrush* const* Found = BrushResources.Find(Name))
	{
		return *Found;
	}
	UE_LOG(LogSlateStyle, Warning, TEXT("Unable to find Brush '%s' in style set '%s'."), *Name.ToString(), *StyleSetName.ToString());
	return GetDefaultBrush();
}

const FSlateBrush* FSlateStyleSet::GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier, const FSlateBrush* const DefaultBrush) const
{
	FSlateBrush* const* Found = BrushResources.Find(Join(PropertyName, Specifier));
	return Found ? *Found : DefaultBrush;
}

FSlateFontInfo FSlateStyleSet::GetFontStyle(const FName PropertyName, const ANSICHAR* Specifier) const
{
	const FName Name = Join(PropertyName, Specifier);
	if (const FSlateFontInfo* Found = FontInfoResources.Find(Name))
	{
		return *Found;
	}
	UE_LOG(LogSlateStyle, Warning, TEXT("Unable to find Font '%s' in style set '%s'."), *Name.ToString(), *StyleSetName.ToString());
	return FSlateFontInfo();
}

const FSlateColor FSlateStyleSet::GetSlateColor(const FName PropertyName, const ANSICHAR* Specifier, const ISlateStyle* RequestingStyle) const
{
	const FSlateColor* Found = ColorValues.Find(Join(PropertyName, Specifier));
	return Found ? *Found : FSlateColor();
}

const FSlateWidgetStyle* FSlateStyleSet::GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName, const FSlateWidgetStyle* DefaultStyle, bool bWarnIfNotFound) const
{
	const std::shared_ptr<FSlateWidgetStyle>* Found = WidgetStyles.Find(StyleName);
	if (Found && (*Found)->GetTypeName() == DesiredTypeName)
	{
		return Found->get();
	}
	if (bWarnIfNotFound)
	{
		UE_LOG(LogSlateStyle, Warning, TEXT("Unable to find Slate Widget Style '%s' of type '%s' in style set '%s'. Using the default."), *StyleName.ToString(), *DesiredTypeName.ToString(), *StyleSetName.ToString());
	}
	return DefaultStyle;
}

namespace
{
	TMap<FName, const ISlateStyle*>& StyleRepository()
	{
		static TMap<FName, const ISlateStyle*> Repository;
		return Repository;
	}

	/** The editor's application style, with the names the plug-in's widgets use. */
	TUniquePtr<FSlateStyleSet> MakeEditorStyle()
	{
		TUniquePtr<FSlateStyleSet> Style = MakeUnique<FSlateStyleSet>(FName(TEXT("EditorStyle")));
		for (const TCHAR* Brush : {TEXT("Brushes.Panel"), TEXT("Brushes.Recessed"), TEXT("Brushes.Header"), TEXT("ClassIcon.Blueprint"), TEXT("ClassIcon.CameraActor"), TEXT("ClassIcon.CineCameraActor"), TEXT("ClassIcon.Actor")})
		{
			Style->Set(Brush, new FSlateBrush());
		}
		for (const TCHAR* Font : {TEXT("NormalFont"), TEXT("PropertyWindow.NormalFont"), TEXT("PropertyWindow.BoldFont"), TEXT("ToolBar.Label.Font")})
		{
			Style->Set(Font, FSlateFontInfo());
		}
		for (const TCHAR* Button : {TEXT("Button"), TEXT("SimpleButton"), TEXT("FlatButton"), TEXT("FlatButton.Default"), TEXT("FlatButton.Primary"), TEXT("FlatButton.Success"), TEXT("FlatButton.Danger"), TEXT("PrimaryButton")})
		{
			Style->Set(Button, FButtonStyle());
		}
		Style->Set(TEXT("Checkbox"), FCheckBoxStyle());
		return Style;
	}
}

void FSlateStyleRegistry::RegisterSlateStyle(const ISlateStyle& InSlateStyle)
{
	const FName Name = InSlateStyle.GetStyleSetName();
	check(!Name.IsNone());
	checkf(!StyleRepository().Contains(Name), TEXT("A style set named '%s' is already registered"), *Name.ToString());
	StyleRepository().Add(Name, &InSlateStyle);
}

void FSlateStyleRegistry::UnRegisterSlateStyle(const ISlateStyle& InSlateStyle)
{
	UnRegisterSlateStyle(InSlateStyle.GetStyleSetName());
}

void FSlateStyleRegistry::UnRegisterSlateStyle(const FName StyleSetName)
{
	StyleRepository().Remove(StyleSetName);
}

const ISlateStyle* FSlateStyleRegistry::FindSlateStyle(const FName& InSlateStyleName)
{
	const ISlateStyle* const* Found = StyleRepository().Find(InSlateStyleName);
	return Found ? *Found : nullptr;
}

const ISlateStyle& FAppStyle::Get()
{
	static const TUniquePtr<FSlateStyleSet> EditorStyle = MakeEditorStyle();
	return *EditorStyle;
}

const FName FAppStyle::GetAppStyleSetName()
{
	return Get().GetStyleSetName();
}
