// Copyright Kelmora. All Rights Reserved.
// The orvane tool's commands: each parses its arguments and calls into the plug-in.
#pragma once

/** Prints the tool's usage to standard error. */
void PrintUsage();

/** orvane decode FILE|- */
int RunDecode(int ArgC, char** ArgV);

/** orvane send [options]: streams camera messages as the compositing application does. */
int RunSend(int ArgC, char** ArgV);

/** orvane listen [options]: runs the camera source in the headless Live Link client and prints what it receives. */
int RunListen(int ArgC, char** ArgV);

/** orvane demo: streams the built-in camera move to the source over the loopback and prints what was published. */
int RunDemo(int ArgC, char** ArgV);

/** orvane stage inspect FILE [--meshes]: reads a stage file and prints its records as JSON, then warnings. */
int RunStageInspect(int ArgC, char** ArgV);

/** orvane stage convert FILE [--no-icvfx] [--project DIR]: writes the stage's nDisplay configuration beside it. */
int RunStageConvert(int ArgC, char** ArgV);
/** orvane stage import FILE [--no-icvfx] [--project DIR]: runs the setup dialog's stage import in the headless editor. */
int RunStageImport(int ArgC, char** ArgV);

/** orvane capture OUT [options]: a still of the virtual-production camera from the headless editor. */
int RunCapture(int ArgC, char** ArgV);

/** orvane record OUT.pcap [options]: writes every datagram the endpoint receives to a pcap file. */
int RunRecord(int ArgC, char** ArgV);

/** orvane stage preview FILE -o OUT.svg|OUT.png [--size W,H] [--no-icvfx]: a picture of the walls and the nDisplay canvas. */
int RunStagePreview(int ArgC, char** ArgV);

/** orvane content [--project DIR] [--rebuild]: makes the plug-in's content in the headless editor and prints it as JSON. */
int RunContent(int ArgC, char** ArgV);
