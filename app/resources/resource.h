#pragma once
// Identifiers shared by the resource scripts and the code.

#define IDI_APP 1
