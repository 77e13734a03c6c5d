// Copyright Kelmora. All Rights Reserved.

using UnrealBuildTool;

public class OrvaneLiveLink : ModuleRules
{
	public OrvaneLiveLink(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = ModuleRules.PCHUsageMode.UseExplicitOrSharedPCHs;

		// Types that appear in the public headers (settings, overlay widget, helper library, frame component, camera actor).
		PublicDependencyModuleNames.AddRange(
			new string[]
			{
				"Core",
				"CoreUObject",
				"Engine",
				"LiveLinkInterface",
				"Json",
				"DeveloperSettings",
				"UMG",
				"CinematicCamera",
			});

		PrivateDependencyModuleNames.AddRange(
			new string[]
			{
				"InputCore",
				"Slate",
				"SlateCore",
				"XmlParser",
				"Sockets",
				"Networking",
				"LiveLink",
				"LiveLinkComponents",
				"RenderCore",
				"ImageCore",
				"ImageWrapper",
				"MeshDescription",
				"StaticMeshDescription",
				"DisplayCluster",
				"DisplayClusterConfiguration",
				"Projects",
				"AssetRegistry",
			});

		// TextureShare is reached by reflection only, so its Win64-only modules are never linked here.

		if (Target.bBuildEditor)
		{
			// Editor-only modules; the code that uses them sits inside #if WITH_EDITOR.
			// The take recorder modules are not built for cooked targets, so they belong here too.
			PrivateDependencyModuleNames.AddRange(
				new string[]
				{
					"UnrealEd",
					"AssetTools",
					"LevelEditor",
					"EditorSubsystem",
					"Settings",
					"TakeRecorder",
					"TakesCore",
				});
		}
	}
}
