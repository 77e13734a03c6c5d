// Copyright Kelmora. All Rights Reserved.
#include "RenderTargetKit.h"

#include "Engine/HostRenderTargetPixels.h"
#include "UObject/Package.h"

namespace OrvaneKit
{
	UTextureRenderTarget2D* MakeRenderTarget(int32 Width, int32 Height, ETextureRenderTargetFormat Format, float Gamma, bool bForceLinearGamma)
	{
		UTextureRenderTarget2D* Target = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
		Target->RenderTargetFormat = Format;
		Target->TargetGamma = Gamma;
		Target->bForceLinearGamma = bForceLinearGamma;
		Target->ClearColor = FLinearColor::Black;
		Target->InitAutoFormat(static_cast<uint32>(Width), static_cast<uint32>(Height));
		return Target;
	}

	void FillRenderTarget(UTextureRenderTarget2D& Target, TFunctionRef<FLinearColor(int32 X, int32 Y)> ColorAt)
	{
		for (int32 Y = 0; Y < Target.SizeY; ++Y)
		{
			for (int32 X = 0; X < Target.SizeX; ++X)
			{
				UE::Engine::Host::FRenderTargetPixels::Write(Target, X, Y, ColorAt(X, Y));
			}
		}
	}
}
