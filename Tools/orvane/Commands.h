// Copyright Kelmora. All Rights Reserved.
// The orvane tool's commands: each parses its arguments and calls into the plug-in.
#pragma once

/** Prints the tool's usage to standard error. */
void PrintUsage();

/** orvane decode FILE|- */
int RunDecode(int ArgC, char** ArgV);

/** orvane send [options]: streams camera messages as the compositing application does. */
int RunSend(int ArgC, char** ArgV);
