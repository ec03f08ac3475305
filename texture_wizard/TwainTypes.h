// The TWAIN declarations the wizard and its test source use, with the values and the
// 2-byte packing of the published standard (version 1.x, 32-bit identity id).
#pragma once

#include <windows.h>

#include <cstdint>

typedef uint16_t TW_UINT16;
typedef uint32_t TW_UINT32;
typedef int16_t TW_INT16;
typedef uint16_t TW_BOOL;
typedef void* TW_MEMREF;
typedef HANDLE TW_HANDLE;
typedef char TW_STR32[34];

#pragma pack(push, 2)
struct TW_VERSION {
    TW_UINT16 MajorNum;
    TW_UINT16 MinorNum;
    TW_UINT16 Language;
    TW_UINT16 Country;
    TW_STR32 Info;
};

struct TW_IDENTITY {
    TW_UINT32 Id;
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor;
    TW_UINT16 ProtocolMinor;
    TW_UINT32 SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};

struct TW_USERINTERFACE {
    TW_BOOL ShowUI;
    TW_BOOL ModalUI;
    TW_HANDLE hParent;
};

struct TW_EVENT {
    TW_MEMREF pEvent;
    TW_UINT16 TWMessage;
};

struct TW_PENDINGXFERS {
    TW_UINT16 Count;
    TW_UINT32 EOJ;
};

struct TW_STATUS {
    TW_UINT16 ConditionCode;
    TW_UINT16 Reserved;
};
#pragma pack(pop)

static_assert(sizeof(TW_IDENTITY) == 156, "TW_IDENTITY is 156 bytes");
static_assert(sizeof(TW_PENDINGXFERS) == 6, "TW_PENDINGXFERS is 6 bytes");
static_assert(sizeof(TW_STATUS) == 4, "TW_STATUS is 4 bytes");
static_assert(sizeof(TW_USERINTERFACE) == 4 + sizeof(void*), "TW_USERINTERFACE packs to 2 bytes");

typedef TW_UINT16(WINAPI* DSMENTRYPROC)(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                                        TW_UINT16 MSG, TW_MEMREF pData);
typedef TW_UINT16(WINAPI* DSENTRYPROC)(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                       TW_MEMREF pData);

enum : TW_UINT32 {
    DG_CONTROL = 1,
    DG_IMAGE = 2,
};

enum : TW_UINT16 {
    DAT_NULL = 0,
    DAT_CAPABILITY = 1,
    DAT_EVENT = 2,
    DAT_IDENTITY = 3,
    DAT_PARENT = 4,
    DAT_PENDINGXFERS = 5,
    DAT_STATUS = 8,
    DAT_USERINTERFACE = 9,
    DAT_IMAGEINFO = 0x0101,
    DAT_IMAGENATIVEXFER = 0x0104,
};

enum : TW_UINT16 {
    MSG_NULL = 0,
    MSG_GET = 1,
    MSG_GETDEFAULT = 3,
    MSG_GETFIRST = 4,
    MSG_GETNEXT = 5,
    MSG_RESET = 7,
    MSG_XFERREADY = 0x0101,
    MSG_CLOSEDSREQ = 0x0102,
    MSG_CLOSEDSOK = 0x0103,
    MSG_OPENDSM = 0x0301,
    MSG_CLOSEDSM = 0x0302,
    MSG_OPENDS = 0x0401,
    MSG_CLOSEDS = 0x0402,
    MSG_USERSELECT = 0x0403,
    MSG_DISABLEDS = 0x0501,
    MSG_ENABLEDS = 0x0502,
    MSG_PROCESSEVENT = 0x0601,
    MSG_ENDXFER = 0x0701,
};

enum : TW_UINT16 {
    TWRC_SUCCESS = 0,
    TWRC_FAILURE = 1,
    TWRC_CHECKSTATUS = 2,
    TWRC_CANCEL = 3,
    TWRC_DSEVENT = 4,
    TWRC_NOTDSEVENT = 5,
    TWRC_XFERDONE = 6,
    TWRC_ENDOFLIST = 7,
};

enum : TW_UINT16 {
    TWCC_SUCCESS = 0,
    TWCC_BUMMER = 1,
    TWCC_LOWMEMORY = 2,
    TWCC_NODS = 3,
    TWCC_BADPROTOCOL = 9,
    TWCC_BADVALUE = 10,
    TWCC_SEQERROR = 11,
};

enum : TW_UINT16 {
    TWLG_JAPANESE = 68,
    TWCY_JAPAN = 81,
};
