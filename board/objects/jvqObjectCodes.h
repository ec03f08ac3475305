// Class codes, marker kinds, state bits and tool ids shared by every drawing object.
#pragma once

// Each class ORs its own bit onto its base's code; a record starts with the code.
#define JVQ_OBJ_BASE 0x1
#define JVQ_OBJ_RECT 0x3
#define JVQ_OBJ_POLYLINE 0x5
#define JVQ_OBJ_HANDLE 0x10
#define JVQ_OBJ_FRAME 0x23
#define JVQ_OBJ_GROUP 0x43
#define JVQ_OBJ_PAGE 0x4B
#define JVQ_OBJ_OLE 0xA3
#define JVQ_OBJ_IMAGE 0x103
#define JVQ_OBJ_BOARD 0x243
#define JVQ_OBJ_TEXT 0x403
#define JVQ_OBJ_ELLIPTIC 0x10000
#define JVQ_OBJ_ROUNDRECT 0x10803
#define JVQ_OBJ_ELLIPSE 0x11003
#define JVQ_OBJ_CHORD 0x12003
#define JVQ_OBJ_PIE 0x14003
#define JVQ_OBJ_ARC 0x18003
#define JVQ_OBJ_LINETEXT 0x40043
#define JVQ_OBJ_BALLOON 0x80005
#define JVQ_OBJ_BANNER 0x100003
#define JVQ_OBJ_SYMBOL 0x200003
#define JVQ_OBJ_MADORIZU 0x400043

// Kind of a marker, ORed into its code when it is attached to its owner.
#define JVQ_HANDLE_RESIZE 0x10000000
#define JVQ_HANDLE_VERTEX 0x20000000
#define JVQ_HANDLE_LABEL 0x40000000

#define JVQ_STATE_VISIBLE 0x1
#define JVQ_STATE_TOOLMODE 0x2
#define JVQ_STATE_SELECTED 0x8
#define JVQ_STATE_HANDLES 0x10
#define JVQ_STATE_LOCKED 0x20
#define JVQ_STATE_OPEN 0x40
#define JVQ_STATE_GRID 0x80
#define JVQ_STATE_ALIVE 0x100
#define JVQ_STATE_FILLED 0x200
#define JVQ_STATE_SCALED_RESIZE 0x400
#define JVQ_STATE_PRINTAREA 0x1000

// Tool ids the objects react to.
#define TOOLID_VERTEX_INSERT 3001
#define TOOLID_ROTATE 3008
#define TOOLID_VERTEX_EDIT 3011

// Degrees to radians, as every turn of the board computes it.
#define JVQ_DEG2RAD 0.01745329251994
