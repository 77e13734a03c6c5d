// Copyright Kelmora. All Rights Reserved.

using UnrealBuildTool;

public class Orvaneui : ModuleRules
{
	public Orvaneui(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = ModuleRules.PCHUsageMode.UseExplicitOrSharedPCHs;

		PublicDependencyModuleNames.AddRange(
			new string[]
			{
				"Core",
				"CoreUObject",
				"Engine",
			});

		// Styles come from FAppStyle (SlateCore), so EditorStyle is not needed.
		PrivateDependencyModuleNames.AddRange(
			new string[]
			{
				"InputCore",
				"Slate",
				"SlateCore",
				"ToolMenus",
				"Projects",
				"UnrealEd",
				"LevelEditor",
				"EditorSubsystem",
				"DesktopPlatform",
				"Settings",
				"SettingsEditor",
				"EngineSettings",
				"LiveLink",
				"LiveLinkInterface",
				"CinematicCamera",
				"AssetRegistry",
				"ApplicationCore",
				// The plug-in's content is made at start-up: blueprints (BlueprintGraph for the pin
				// categories of their variables) and material graphs (MaterialEditor).
				"BlueprintGraph",
				"MaterialEditor",
				"OrvaneLiveLink",
			});
	}
}
