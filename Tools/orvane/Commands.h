// Copyright Kelmora. All Rights Reserved.
// The orvane tool's commands: each adds its options to the command line and calls into the plug-in.
#pragma once

#include "ToolArguments.h"

#include <cstdio>

/** Prints the tool's usage to Stream (standard error after a bad command line). */
void PrintUsage(FILE* Stream = stderr);
/** Prints the usage of `orvane capture` to standard error. */
void PrintCaptureUsage();

/** orvane decode FILE|- */
void AddDecodeCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane send [options]: streams camera messages as the compositing application does. */
void AddSendCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane listen [options]: runs the camera source in the headless Live Link client and prints what it receives. */
void AddListenCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane demo: streams the built-in camera move to the source over the loopback and prints what was published. */
void AddDemoCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane capture OUT [options]: a still of the virtual-production camera from the headless editor. */
void AddCaptureCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane record OUT.pcap [options]: writes every datagram the endpoint receives to a pcap file. */
void AddRecordCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane stage inspect FILE [--meshes]: reads a stage file and prints its records as JSON, then warnings. */
void AddStageInspectCommand(CLI::App& Stage, FToolCommand& OutCommand);

/** orvane stage convert FILE [--no-icvfx] [--project DIR]: writes the stage's nDisplay configuration beside it. */
void AddStageConvertCommand(CLI::App& Stage, FToolCommand& OutCommand);
/** orvane stage import FILE [--no-icvfx] [--project DIR]: runs the setup dialog's stage import in the headless editor. */
void AddStageImportCommand(CLI::App& Stage, FToolCommand& OutCommand);

/** orvane stage preview FILE -o OUT.svg|OUT.png [--size W,H] [--no-icvfx]: a picture of the walls and the nDisplay canvas. */
void AddStagePreviewCommand(CLI::App& Stage, FToolCommand& OutCommand);

/** orvane setup full|camera [options]: drives the setup dialog in the headless editor and prints what it made. */
void AddSetupCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane ui [--project DIR]: opens the setup dialog through the toolbar button and prints both widget trees as JSON. */
void AddUiCommand(CLI::App& Tool, FToolCommand& OutCommand);

/** orvane content [--project DIR] [--rebuild]: makes the plug-in's content in the headless editor and prints it as JSON. */
void AddContentCommand(CLI::App& Tool, FToolCommand& OutCommand);
