// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "OrvaneCameraMessage.h"

class FJsonObject;
class FOrvaneLogLimiter;
struct FOrvaneSourceState;

/**
 * Turns one received datagram into camera records. It needs no socket: the source hands it the
 * bytes it received and its own state.
 */
class FOrvaneMessageDecoder
{
public:
	/** Called once per decoded camera member, in document order. */
	using FOnCameraDecoded = TFunctionRef<void(const ORVCameraSetup&, const ORVCameraPose&, const ORVActionParams&)>;

	/**
	 * Decodes every camera member of the datagram's JSON document and hands each on. The bytes are
	 * read as Latin-1 text; a document that does not parse, or nests deeper than MaxNesting, is
	 * dropped without a message. Members of other names are reported once per datagram, however many
	 * there are. Lines go through Log when one is given (a stream of datagrams), else straight to the
	 * log. Returns the number of camera members handed on.
	 */
	static int32 Decode(TConstArrayView<uint8> Datagram, FOrvaneSourceState& State, FOnCameraDecoded OnCamera, FOrvaneLogLimiter* Log = nullptr);

	/** Fills the three records from one camera object, updating the source state as it goes. */
	static void DecodeCamera(const FJsonObject& Camera, FOrvaneSourceState& State, ORVCameraSetup& OutSetup, ORVCameraPose& OutPose, ORVActionParams& OutAction, FOrvaneLogLimiter* Log = nullptr);

	/** JSON number to int32, truncated toward zero; saturates out of range, NaN gives 0. */
	static int32 ToInt32(double Value);
	/** JSON number to float; values beyond the float range become infinities of their sign. */
	static float ToFloat(double Value);
	/** JSON number to uint64, truncated; the whole unsigned range is kept, negatives and NaN give 0. */
	static uint64 ToUInt64(double Value);

	/**
	 * Deepest nesting of arrays and objects accepted. A camera document needs four levels; freeing a
	 * value tree recurses once per level, and the receiver thread's stack is small.
	 */
	static constexpr int32 MaxNesting = 32;
};
