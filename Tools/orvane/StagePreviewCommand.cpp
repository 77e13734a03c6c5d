// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Engine/StaticMesh.h"
#include "HeadlessProject.h"
#include "LogCapture.h"
#include "OrvaneNDisplayConfigImporter.h"
#include "OrvaneStageImporter.h"
#include "StageWarnings.h"
#include "ToolArguments.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
	/** One stage unit is this many engine units, as the wall mesh builder places the vertices. */
	constexpr float StageToEngineScale = 100.0f;
	/** Meshes with more faces are drawn by their border: a face each would make pictures of millions of shapes. */
	constexpr int32 MaxDrawnFaces = 1000;
	/** Warnings drawn beside one wall before the rest are only counted. */
	constexpr int32 MaxWarningsPerWall = 3;

	struct FColor3
	{
		double R = 0.0;
		double G = 0.0;
		double B = 0.0;

		std::string Hex() const
		{
			char Text[8];
			std::snprintf(Text, sizeof(Text), "#%02x%02x%02x", static_cast<int>(R * 255.0 + 0.5), static_cast<int>(G * 255.0 + 0.5), static_cast<int>(B * 255.0 + 0.5));
			return Text;
		}
	};

	const FColor3 Ink = {0.1, 0.1, 0.12};
	const FColor3 WallInk = {0.05, 0.35, 0.7};
	const FColor3 ScreenInk = {0.45, 0.2, 0.65};
	const FColor3 WarningInk = {0.85, 0.0, 0.0};
	const FColor3 AxisX = {0.8, 0.1, 0.1};
	const FColor3 AxisY = {0.1, 0.6, 0.1};
	const FColor3 AxisZ = {0.1, 0.2, 0.85};
	const FColor3 Frame = {0.6, 0.6, 0.6};

	/** x' = A x + C y + E, y' = B x + D y + F, as SVG's matrix(). */
	struct FAffine
	{
		double A = 1.0, B = 0.0, C = 0.0, D = 1.0, E = 0.0, F = 0.0;

		void Apply(double X, double Y, double& OutX, double& OutY) const
		{
			OutX = A * X + C * Y + E;
			OutY = B * X + D * Y + F;
		}
	};

	enum class EShape
	{
		Polygon,
		Line,
		Rect,
		Text
	};

	struct FShape
	{
		EShape Kind = EShape::Polygon;
		/** The SVG class, which the tests and other readers select by. */
		std::string Class;
		/** Wall label or viewport name this shape belongs to (data-name). */
		std::string Name;
		std::vector<std::pair<double, double>> Points;
		double X = 0.0, Y = 0.0, W = 0.0, H = 0.0;
		std::string Text;
		FColor3 Color = Ink;
		double FontSize = 12.0;
		double FillOpacity = 0.0;
		/** Text anchored at its start, or centred on X. */
		bool bCentred = false;
	};

	/** Shapes drawn in one coordinate system: world units for the views, canvas pixels for nDisplay, or the picture's own. */
	struct FGroup
	{
		std::string Id;
		FAffine Transform;
		std::vector<FShape> Shapes;
	};

	/** Markup characters as entities; quotes only where they could end an attribute value. */
	std::string XmlEscape(const std::string& Text, bool bAttribute = true)
	{
		std::string Out;
		for (const char Character : Text)
		{
			switch (Character)
			{
			case '&':
				Out += "&amp;";
				break;
			case '<':
				Out += "&lt;";
				break;
			case '>':
				Out += "&gt;";
				break;
			case '"':
				Out += bAttribute ? "&quot;" : "\"";
				break;
			case '\'':
				Out += bAttribute ? "&apos;" : "'";
				break;
			default:
				// Control characters are not allowed in XML 1.0 text.
				Out += (static_cast<unsigned char>(Character) < 0x20 && Character != '\t' && Character != '\n') ? ' ' : Character;
			}
		}
		return Out;
	}

	std::string Number(double Value)
	{
		char Text[40];
		std::snprintf(Text, sizeof(Text), "%.17g", Value);
		return Text;
	}

	std::string ToSvg(const std::vector<FGroup>& Groups, int Width, int Height)
	{
		std::string Svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(Width) + "\" height=\"" + std::to_string(Height) + "\" viewBox=\"0 0 " + std::to_string(Width) + " " + std::to_string(Height) + "\" font-family=\"sans-serif\">\n";
		Svg += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(Width) + "\" height=\"" + std::to_string(Height) + "\" fill=\"#ffffff\"/>\n";
		for (const FGroup& Group : Groups)
		{
			const FAffine& T = Group.Transform;
			Svg += "<g id=\"" + XmlEscape(Group.Id) + "\" transform=\"matrix(" + Number(T.A) + " " + Number(T.B) + " " + Number(T.C) + " " + Number(T.D) + " " + Number(T.E) + " " + Number(T.F) + ")\">\n";
			for (const FShape& Shape : Group.Shapes)
			{
				const std::string Common = "class=\"" + Shape.Class + "\"" + (Shape.Name.empty() && Shape.Kind != EShape::Text ? "" : " data-name=\"" + XmlEscape(Shape.Name) + "\"");
				const std::string Stroke = " stroke=\"" + Shape.Color.Hex() + "\" stroke-width=\"1.5\" vector-effect=\"non-scaling-stroke\"";
				const std::string Fill = Shape.FillOpacity > 0.0 ? " fill=\"" + Shape.Color.Hex() + "\" fill-opacity=\"" + Number(Shape.FillOpacity) + "\"" : " fill=\"none\"";
				switch (Shape.Kind)
				{
				case EShape::Polygon:
				{
					std::string Points;
					for (const auto& [X, Y] : Shape.Points)
					{
						Points += (Points.empty() ? "" : " ") + Number(X) + "," + Number(Y);
					}
					Svg += "<polygon " + Common + " points=\"" + Points + "\"" + Stroke + Fill + "/>\n";
					break;
				}
				case EShape::Line:
					Svg += "<line " + Common + " x1=\"" + Number(Shape.Points[0].first) + "\" y1=\"" + Number(Shape.Points[0].second) + "\" x2=\"" + Number(Shape.Points[1].first) + "\" y2=\"" + Number(Shape.Points[1].second) + "\"" + Stroke + "/>\n";
					break;
				case EShape::Rect:
					Svg += "<rect " + Common + " x=\"" + Number(Shape.X) + "\" y=\"" + Number(Shape.Y) + "\" width=\"" + Number(Shape.W) + "\" height=\"" + Number(Shape.H) + "\"" + Stroke + Fill + "/>\n";
					break;
				case EShape::Text:
					Svg += "<text " + Common + " x=\"" + Number(Shape.X) + "\" y=\"" + Number(Shape.Y) + "\" font-size=\"" + Number(Shape.FontSize) + "\" fill=\"" + Shape.Color.Hex() + "\"" + (Shape.bCentred ? " text-anchor=\"middle\"" : "") + ">" + XmlEscape(Shape.Text, false) + "</text>\n";
					break;
				}
			}
			Svg += "</g>\n";
		}
		Svg += "</svg>\n";
		return Svg;
	}

	bool WritePng(const std::vector<FGroup>& Groups, int Width, int Height, const std::string& Path, std::string& OutError)
	{
		cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
		cairo_t* Context = cairo_create(Surface);
		cairo_set_source_rgb(Context, 1.0, 1.0, 1.0);
		cairo_paint(Context);
		cairo_select_font_face(Context, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
		for (const FGroup& Group : Groups)
		{
			const FAffine& T = Group.Transform;
			cairo_matrix_t Matrix;
			cairo_matrix_init(&Matrix, T.A, T.B, T.C, T.D, T.E, T.F);
			for (const FShape& Shape : Group.Shapes)
			{
				cairo_save(Context);
				cairo_set_source_rgb(Context, Shape.Color.R, Shape.Color.G, Shape.Color.B);
				if (Shape.Kind == EShape::Text)
				{
					double X = 0.0;
					double Y = 0.0;
					T.Apply(Shape.X, Shape.Y, X, Y);
					cairo_set_font_size(Context, Shape.FontSize);
					if (Shape.bCentred)
					{
						cairo_text_extents_t Extents;
						cairo_text_extents(Context, Shape.Text.c_str(), &Extents);
						X -= Extents.x_advance / 2.0;
					}
					cairo_move_to(Context, X, Y);
					cairo_show_text(Context, Shape.Text.c_str());
					cairo_restore(Context);
					continue;
				}
				// The path in the group's coordinates, stroked in the picture's, so lines keep their width.
				cairo_transform(Context, &Matrix);
				if (Shape.Kind == EShape::Rect)
				{
					cairo_rectangle(Context, Shape.X, Shape.Y, Shape.W, Shape.H);
				}
				else
				{
					for (size_t Index = 0; Index < Shape.Points.size(); ++Index)
					{
						(Index == 0 ? cairo_move_to : cairo_line_to)(Context, Shape.Points[Index].first, Shape.Points[Index].second);
					}
					if (Shape.Kind == EShape::Polygon)
					{
						cairo_close_path(Context);
					}
				}
				cairo_identity_matrix(Context);
				if (Shape.FillOpacity > 0.0)
				{
					cairo_set_source_rgba(Context, Shape.Color.R, Shape.Color.G, Shape.Color.B, Shape.FillOpacity);
					cairo_fill_preserve(Context);
					cairo_set_source_rgb(Context, Shape.Color.R, Shape.Color.G, Shape.Color.B);
				}
				cairo_set_line_width(Context, 1.5);
				cairo_stroke(Context);
				cairo_restore(Context);
			}
		}
		cairo_surface_flush(Surface);
		const cairo_status_t Status = cairo_surface_write_to_png(Surface, Path.c_str());
		cairo_destroy(Context);
		cairo_surface_destroy(Surface);
		// The font caches live until the process ends; freed here, so a leak check sees only real leaks.
		cairo_debug_reset_static_data();
		FcFini();
		if (Status != CAIRO_STATUS_SUCCESS)
		{
			OutError = "cannot write " + Path + ": " + cairo_status_to_string(Status);
			return false;
		}
		return true;
	}

	/** Points of one wall in engine space, as faces (mesh walls) or one rectangle (screens). */
	struct FWallShape
	{
		std::string Label;
		bool bScreen = false;
		/** Polygons are the faces, or for a large mesh the two ends of each edge on the mesh's border. */
		bool bBorderOnly = false;
		std::vector<std::vector<FVector>> Polygons;
		std::vector<std::string> Warnings;
	};

	/** Where a view's plane coordinates come from: top view (Y right, X up), front view (Y right, Z up). */
	struct FView
	{
		std::string Id;
		std::string Title;
		double FVector::*Horizontal;
		double FVector::*Vertical;
		std::string HorizontalName;
		std::string VerticalName;
		FColor3 HorizontalColor;
		FColor3 VerticalColor;
	};

	/** A view of the walls fitted into a panel: world polygons, labels and warnings beside each wall, the axes. */
	void DrawView(const FView& View, const std::vector<FWallShape>& Walls, double Left, double Top, double Width, double Height, std::vector<FGroup>& Groups)
	{
		double MinH = 0.0, MaxH = 0.0, MinV = 0.0, MaxV = 0.0;
		for (const FWallShape& Wall : Walls)
		{
			for (const std::vector<FVector>& Polygon : Wall.Polygons)
			{
				for (const FVector& Point : Polygon)
				{
					MinH = std::min(MinH, Point.*View.Horizontal);
					MaxH = std::max(MaxH, Point.*View.Horizontal);
					MinV = std::min(MinV, Point.*View.Vertical);
					MaxV = std::max(MaxV, Point.*View.Vertical);
				}
			}
		}
		// The axes are drawn a fifth of the stage's size long, and at least some length in an empty stage.
		const double Extent = std::max({MaxH - MinH, MaxV - MinV, 100.0});
		const double AxisLength = Extent * 0.2;
		MaxH = std::max(MaxH, AxisLength);
		MaxV = std::max(MaxV, AxisLength);
		const double Margin = 40.0;
		const double TitleSpace = 24.0;
		const double Scale = std::min((Width - 2.0 * Margin) / std::max(MaxH - MinH, 1e-9), (Height - 2.0 * Margin - TitleSpace) / std::max(MaxV - MinV, 1e-9));
		FGroup World;
		World.Id = View.Id;
		// Vertical world axis points up the page.
		World.Transform = {Scale, 0.0, 0.0, -Scale, Left + Margin - MinH * Scale + ((Width - 2.0 * Margin) - (MaxH - MinH) * Scale) / 2.0, Top + TitleSpace + Margin + MaxV * Scale};

		FGroup Labels;
		Labels.Id = View.Id + "-labels";
		Labels.Shapes.push_back({EShape::Rect, "panel", "", {}, Left + 4.0, Top + 4.0, Width - 8.0, Height - 8.0, "", Frame});
		FShape Title{EShape::Text, "title", "", {}, Left + 12.0, Top + 22.0};
		Title.Text = View.Title;
		Title.FontSize = 15.0;
		Labels.Shapes.push_back(Title);

		for (const FWallShape& Wall : Walls)
		{
			double SumH = 0.0;
			double SumV = 0.0;
			size_t Count = 0;
			for (const std::vector<FVector>& Polygon : Wall.Polygons)
			{
				FShape Shape{Wall.bBorderOnly ? EShape::Line : EShape::Polygon, Wall.bScreen ? "wall screen-wall" : Wall.bBorderOnly ? "wall mesh-wall-border"
																																	 : "wall mesh-wall",
					Wall.Label};
				Shape.Color = Wall.bScreen ? ScreenInk : WallInk;
				Shape.FillOpacity = Wall.bBorderOnly ? 0.0 : 0.15;
				for (const FVector& Point : Polygon)
				{
					Shape.Points.emplace_back(Point.*View.Horizontal, Point.*View.Vertical);
					SumH += Point.*View.Horizontal;
					SumV += Point.*View.Vertical;
					++Count;
				}
				World.Shapes.push_back(std::move(Shape));
			}
			if (Count == 0)
			{
				continue;
			}
			double X = 0.0;
			double Y = 0.0;
			World.Transform.Apply(SumH / static_cast<double>(Count), SumV / static_cast<double>(Count), X, Y);
			FShape Label{EShape::Text, "wall-label", Wall.Label, {}, X, Y - 6.0};
			Label.Text = Wall.Label;
			Label.Color = Wall.bScreen ? ScreenInk : WallInk;
			Label.bCentred = true;
			Labels.Shapes.push_back(Label);
			for (size_t Index = 0; Index < Wall.Warnings.size(); ++Index)
			{
				FShape Warning{EShape::Text, "warning", Wall.Label, {}, X, Y + 8.0 + 12.0 * static_cast<double>(Index)};
				Warning.Text = Wall.Warnings[Index];
				Warning.Color = WarningInk;
				Warning.FontSize = 10.0;
				Warning.bCentred = true;
				Labels.Shapes.push_back(Warning);
			}
		}

		const std::pair<double, double> Origin = {0.0, 0.0};
		World.Shapes.push_back({EShape::Line, "axis", View.HorizontalName, {Origin, {AxisLength, 0.0}}, 0, 0, 0, 0, "", View.HorizontalColor});
		World.Shapes.push_back({EShape::Line, "axis", View.VerticalName, {Origin, {0.0, AxisLength}}, 0, 0, 0, 0, "", View.VerticalColor});
		for (const auto& [Name, Color, H, V] : {std::tuple{View.HorizontalName, View.HorizontalColor, AxisLength, 0.0}, std::tuple{View.VerticalName, View.VerticalColor, 0.0, AxisLength}})
		{
			double X = 0.0;
			double Y = 0.0;
			World.Transform.Apply(H, V, X, Y);
			FShape AxisName{EShape::Text, "axis-label", Name, {}, X + 4.0, Y - 4.0};
			AxisName.Text = Name;
			AxisName.Color = Color;
			Labels.Shapes.push_back(AxisName);
		}
		Groups.push_back(std::move(World));
		Groups.push_back(std::move(Labels));
	}

	/** The nDisplay node's canvas with every viewport's region, name and policy type. */
	void DrawCanvas(const nlohmann::json& Node, const std::vector<std::string>& GeneralWarnings, double Left, double Top, double Width, double Height, std::vector<FGroup>& Groups)
	{
		const nlohmann::json& Window = Node["window"];
		const double CanvasWidth = Window.value("w", 1920.0);
		const double CanvasHeight = Window.value("h", 1080.0);
		// Room for the ICVFX viewport, which may lie outside the window.
		double RightMost = CanvasWidth;
		double LowMost = CanvasHeight;
		for (const auto& [Name, Viewport] : Node["viewports"].items())
		{
			const nlohmann::json& Region = Viewport["region"];
			RightMost = std::max(RightMost, Region.value("x", 0.0) + Region.value("w", 0.0));
			LowMost = std::max(LowMost, Region.value("y", 0.0) + Region.value("h", 0.0));
		}
		const double Margin = 40.0;
		const double TitleSpace = 24.0;
		const double WarningSpace = 14.0 * static_cast<double>(std::min<size_t>(GeneralWarnings.size(), 10));
		const double Scale = std::min((Width - 2.0 * Margin) / RightMost, (Height - 2.0 * Margin - TitleSpace - WarningSpace) / LowMost);
		FGroup Canvas;
		Canvas.Id = "ndisplay-canvas";
		Canvas.Transform = {Scale, 0.0, 0.0, Scale, Left + Margin, Top + TitleSpace + Margin};
		Canvas.Shapes.push_back({EShape::Rect, "window", "Node_0", {}, 0.0, 0.0, CanvasWidth, CanvasHeight, "", Ink});

		FGroup Labels;
		Labels.Id = "ndisplay-labels";
		Labels.Shapes.push_back({EShape::Rect, "panel", "", {}, Left + 4.0, Top + 4.0, Width - 8.0, Height - 8.0, "", Frame});
		FShape Title{EShape::Text, "title", "", {}, Left + 12.0, Top + 22.0};
		Title.Text = "nDisplay canvas " + std::to_string(static_cast<long long>(CanvasWidth)) + " x " + std::to_string(static_cast<long long>(CanvasHeight));
		Title.FontSize = 15.0;
		Labels.Shapes.push_back(Title);
		for (const auto& [Name, Viewport] : Node["viewports"].items())
		{
			const nlohmann::json& Region = Viewport["region"];
			const std::string Policy = Viewport["projectionPolicy"].value("type", "");
			FShape Rect{EShape::Rect, "viewport", Name, {}, Region.value("x", 0.0), Region.value("y", 0.0), Region.value("w", 0.0), Region.value("h", 0.0), "", Policy == "camera" ? AxisX : Policy == "mesh" ? WallInk
																																																			  : ScreenInk};
			Rect.FillOpacity = 0.12;
			Canvas.Shapes.push_back(Rect);
			double X = 0.0;
			double Y = 0.0;
			Canvas.Transform.Apply(Rect.X + Rect.W / 2.0, Rect.Y + Rect.H / 2.0, X, Y);
			FShape NameText{EShape::Text, "viewport-name", Name, {}, X, Y - 2.0};
			NameText.Text = Name;
			NameText.bCentred = true;
			Labels.Shapes.push_back(NameText);
			FShape PolicyText{EShape::Text, "viewport-policy", Name, {}, X, Y + 12.0};
			PolicyText.Text = Policy;
			PolicyText.FontSize = 10.0;
			PolicyText.bCentred = true;
			Labels.Shapes.push_back(PolicyText);
		}
		for (size_t Index = 0; Index < GeneralWarnings.size() && Index < 10; ++Index)
		{
			FShape Warning{EShape::Text, "warning", "", {}, Left + 12.0, Top + Height - 14.0 - 14.0 * static_cast<double>(std::min<size_t>(GeneralWarnings.size(), 10) - 1 - Index)};
			Warning.Text = Index == 9 && GeneralWarnings.size() > 10 ? "... and " + std::to_string(GeneralWarnings.size() - 9) + " more" : GeneralWarnings[Index];
			Warning.Color = WarningInk;
			Warning.FontSize = 10.0;
			Labels.Shapes.push_back(Warning);
		}
		Groups.push_back(std::move(Canvas));
		Groups.push_back(std::move(Labels));
	}

	bool Fail(const std::string& Message)
	{
		std::fprintf(stderr, "orvane stage preview: %s\n", Message.c_str());
		return false;
	}

	struct FPreviewOptions
	{
		std::string StagePath;
		std::string OutPath;
		int Width = 1600;
		int Height = 900;
		bool bIncludeICVFXCamera = true;
		bool bPng = false;
	};

	/** Which picture -o asks for, by its extension; false when it is neither .svg nor .png. */
	bool PictureKindOf(const std::string& OutPath, bool& bOutPng)
	{
		const std::string Extension = OutPath.size() >= 4 ? OutPath.substr(OutPath.size() - 4) : std::string();
		std::string Lower = Extension;
		std::transform(Lower.begin(), Lower.end(), Lower.begin(), [](unsigned char Character)
			{ return static_cast<char>(std::tolower(Character)); });
		bOutPng = Lower == ".png";
		return Lower == ".svg" || Lower == ".png";
	}

	/** "W,H" in pixels, each from 200 to 16384. */
	bool ParseSize(const std::string& Text, int& OutWidth, int& OutHeight)
	{
		const size_t Comma = Text.find(',');
		long long Width = 0;
		long long Height = 0;
		if (Comma == std::string::npos || !ParseInteger(Text.substr(0, Comma), 200, 16384, Width) || !ParseInteger(Text.substr(Comma + 1), 200, 16384, Height))
		{
			return false;
		}
		OutWidth = static_cast<int>(Width);
		OutHeight = static_cast<int>(Height);
		return true;
	}

	int StagePreview(const FPreviewOptions& Options)
	{
		FOrvaneStageData Stage;
		FString ErrorMessage;
		if (!UOrvaneStageImporter::ParseOrvaneFile(UTF8_TO_TCHAR(Options.StagePath.c_str()), Stage, ErrorMessage))
		{
			Fail(TCHAR_TO_UTF8(*ErrorMessage));
			return 1;
		}

		// The walls whose mesh the import would build are the mesh walls; the others become screens. The meshes
		// are built as the conversion builds them, in a throwaway project, so the pairing is the conversion's own.
		TArray<FString> MeshPaths;
		std::vector<int32> MeshWallOfPath;
		{
			FScopedHeadlessProject Scratch;
			FLogCapture Log(true);
			const TArray<FString> MeshNames = UOrvaneStageImporter::MakeWallMeshNames(Stage);
			for (int32 Index = 0; Index < Stage.Walls.Num(); ++Index)
			{
				FOrvaneWallData& Wall = Stage.Walls[Index];
				if (!Wall.bHasMeshData)
				{
					continue;
				}
				if (UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, MeshNames[Index]))
				{
					MeshPaths.Add(Mesh->GetPathName());
					MeshWallOfPath.push_back(Index);
				}
				else
				{
					Wall.bHasMeshData = false;
				}
			}
		}
		const FString ConfigText = UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, MeshPaths, Options.bIncludeICVFXCamera);
		const nlohmann::json Config = nlohmann::json::parse(std::string(TCHAR_TO_UTF8(*ConfigText)), nullptr, false);
		if (!Config.is_object())
		{
			Fail("the stage cannot be converted: a screen wall's position or rotation is not a finite number");
			return 1;
		}

		std::map<int32, std::vector<std::string>> WallWarnings;
		std::vector<std::string> GeneralWarnings;
		CollectStageWarnings(Stage, [&](int32, const FString& Message, const TArray<int32>& Walls)
			{
			const std::string Text = TCHAR_TO_UTF8(*Message);
			if (Walls.Num() == 0)
			{
				GeneralWarnings.push_back(Text);
			}
			for (const int32 Wall : Walls)
			{
				WallWarnings[Wall].push_back(Text);
			} });

		std::vector<FWallShape> Walls;
		for (size_t PathIndex = 0; PathIndex < MeshWallOfPath.size(); ++PathIndex)
		{
			const FOrvaneWallData& Wall = Stage.Walls[MeshWallOfPath[PathIndex]];
			FWallShape Shape;
			Shape.Label = TCHAR_TO_UTF8(*Wall.Label);
			const TArray<FVector>& Vertices = Wall.MeshData.Vertices;
			auto EnginePoint = [&Wall](const FVector& Vertex)
			{
				const FVector3f Point = UOrvaneStageImporter::TransformVertexForUnreal(UOrvaneStageImporter::ApplyWallTransform(Vertex, Wall.Position, Wall.Rotation, Wall.Scale), StageToEngineScale);
				return FVector(Point.X, Point.Y, Point.Z);
			};
			Shape.bBorderOnly = Wall.MeshData.Faces.Num() > MaxDrawnFaces;
			// Border edges belong to one face only; an edge is counted under its two vertex indices, lower first.
			std::map<std::pair<int32, int32>, int32> EdgeUses;
			for (const FOrvaneFace& Face : Wall.MeshData.Faces)
			{
				std::vector<int32> Corners;
				for (const FOrvaneVertex& Corner : Face.Vertices)
				{
					if (Corner.VertexIndex >= 0 && Corner.VertexIndex < Vertices.Num())
					{
						Corners.push_back(Corner.VertexIndex);
					}
				}
				if (Corners.size() < 2)
				{
					continue;
				}
				if (!Shape.bBorderOnly)
				{
					std::vector<FVector> Polygon;
					for (const int32 Corner : Corners)
					{
						Polygon.push_back(EnginePoint(Vertices[Corner]));
					}
					Shape.Polygons.push_back(std::move(Polygon));
					continue;
				}
				for (size_t Index = 0; Index < Corners.size(); ++Index)
				{
					const int32 From = Corners[Index];
					const int32 To = Corners[(Index + 1) % Corners.size()];
					++EdgeUses[{std::min(From, To), std::max(From, To)}];
				}
			}
			for (const auto& [Edge, Uses] : EdgeUses)
			{
				if (Uses == 1)
				{
					Shape.Polygons.push_back({EnginePoint(Vertices[Edge.first]), EnginePoint(Vertices[Edge.second])});
				}
			}
			Walls.push_back(std::move(Shape));
		}
		const nlohmann::json& Scene = Config["nDisplay"]["scene"];
		if (Scene.contains("screens"))
		{
			for (const auto& [Label, Screen] : Scene["screens"].items())
			{
				// A screen is a rectangle in its component's Y (width) and Z (height) plane, centred on its location.
				const nlohmann::json& Location = Screen["location"];
				const nlohmann::json& Rotation = Screen["rotation"];
				const double HalfWidth = Screen["size"].value("width", 0.0) / 2.0;
				const double HalfHeight = Screen["size"].value("height", 0.0) / 2.0;
				const FQuat Orientation = FRotator(Rotation.value("pitch", 0.0), Rotation.value("yaw", 0.0), Rotation.value("roll", 0.0)).Quaternion();
				const FVector Centre(Location.value("x", 0.0), Location.value("y", 0.0), Location.value("z", 0.0));
				FWallShape Shape;
				Shape.Label = Label;
				Shape.bScreen = true;
				Shape.Polygons.push_back({Centre + Orientation.RotateVector(FVector(0.0, -HalfWidth, -HalfHeight)), Centre + Orientation.RotateVector(FVector(0.0, HalfWidth, -HalfHeight)),
					Centre + Orientation.RotateVector(FVector(0.0, HalfWidth, HalfHeight)), Centre + Orientation.RotateVector(FVector(0.0, -HalfWidth, HalfHeight))});
				Walls.push_back(std::move(Shape));
			}
		}
		// Warnings go beside the wall of that label (walls sharing a label share one drawing).
		for (const auto& [WallIndex, Messages] : WallWarnings)
		{
			const std::string Label = TCHAR_TO_UTF8(*Stage.Walls[WallIndex].Label);
			auto Found = std::find_if(Walls.begin(), Walls.end(), [&Label](const FWallShape& Shape)
				{ return FString(UTF8_TO_TCHAR(Shape.Label.c_str())).Equals(UTF8_TO_TCHAR(Label.c_str()), ESearchCase::IgnoreCase); });
			for (const std::string& Message : Messages)
			{
				if (Found == Walls.end())
				{
					GeneralWarnings.push_back(Message);
				}
				else if (std::find(Found->Warnings.begin(), Found->Warnings.end(), Message) == Found->Warnings.end())
				{
					Found->Warnings.push_back(Message);
				}
			}
		}
		for (FWallShape& Wall : Walls)
		{
			if (Wall.Warnings.size() > MaxWarningsPerWall)
			{
				const size_t More = Wall.Warnings.size() - (MaxWarningsPerWall - 1);
				Wall.Warnings.resize(MaxWarningsPerWall - 1);
				Wall.Warnings.push_back("... and " + std::to_string(More) + " more");
			}
		}

		const double Width = Options.Width;
		const double Height = Options.Height;
		const FView Top{"top-view", "Top view (X forward, Y right)", &FVector::Y, &FVector::X, "Y", "X", AxisY, AxisX};
		const FView Front{"front-view", "Front view (Y right, Z up)", &FVector::Y, &FVector::Z, "Y", "Z", AxisY, AxisZ};
		std::vector<FGroup> Groups;
		DrawView(Top, Walls, 0.0, 0.0, Width * 0.5, Height * 0.5, Groups);
		DrawView(Front, Walls, 0.0, Height * 0.5, Width * 0.5, Height * 0.5, Groups);
		DrawCanvas(Config["nDisplay"]["cluster"]["nodes"]["Node_0"], GeneralWarnings, Width * 0.5, 0.0, Width * 0.5, Height, Groups);

		if (Options.bPng)
		{
			std::string Error;
			if (!WritePng(Groups, Options.Width, Options.Height, Options.OutPath, Error))
			{
				Fail(Error);
				return 1;
			}
		}
		else
		{
			std::ofstream File(Options.OutPath, std::ios::binary);
			File << ToSvg(Groups, Options.Width, Options.Height);
			File.close();
			if (!File)
			{
				Fail("cannot write " + Options.OutPath);
				return 1;
			}
		}
		std::printf("%s\n", Options.OutPath.c_str());
		return 0;
	}
}

void AddStagePreviewCommand(CLI::App& Stage, FToolCommand& OutCommand)
{
	const auto Options = std::make_shared<FPreviewOptions>();
	CLI::App* Command = Stage.add_subcommand("preview", "draw a top view (X forward, Y right) and a front view (Y right, Z up) of the walls as the import places them, each labelled, with the axes, the inspect warnings in red and the nDisplay canvas with every viewport; prints the written path");
	Command->add_option("FILE", Options->StagePath, "the stage file (.orvs)")->required()->type_name("")->transform(OrvaneOptions::NotEmpty("a stage file"));
	const auto ReadOut = [Options](const std::string& Text)
	{
		Options->OutPath = Text;
		return PictureKindOf(Text, Options->bPng);
	};
	OrvaneOptions::AddParsed(*Command, "-o", "the picture to write: SVG (labels as text elements) or PNG, by the extension", "a file ending in .svg or .png", ReadOut)->required()->type_name("OUT.svg|OUT.png");
	OrvaneOptions::AddParsed(*Command, "--size", "the picture's size in pixels", "W,H in pixels, each from 200 to 16384", [Options](const std::string& Text)
		{ return ParseSize(Text, Options->Width, Options->Height); })
		->type_name("W,H")
		->default_str("1600,900");
	Command->add_flag_callback(
		"--no-icvfx", [Options]()
		{ Options->bIncludeICVFXCamera = false; },
		"leave the ICVFX camera out of the nDisplay configuration");
	Command->callback([Options, &OutCommand]()
		{ OutCommand = [Options]()
		  { return StagePreview(*Options); }; });
}
