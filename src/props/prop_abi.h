/* The prop plug-in's binary interface: a shared library that exports one C function per method
 * the client calls, plus a version and a constructor/destructor pair.
 *
 * Rules every entry follows:
 * - Plain C types only. Booleans are int32_t: 0 false, anything else true.
 * - The first argument is the object QintaraProp_Create returned.
 * - Text the client passes in is UTF-8, NUL-terminated, owned by the client and valid only for
 *   the duration of the call.
 * - Text and arrays the plug-in hands out through out-pointers stay owned by the plug-in and
 *   valid until the next call into the same object; the client copies what it keeps. A null
 *   text pointer counts as an empty text.
 * - By-reference arguments are pointers; the client reads them back after the call.
 * - All calls come from the client's user-interface thread, never concurrently.
 *
 * A library whose QintaraProp_AbiVersion differs from QINTARA_PROP_ABI_VERSION, or that lacks
 * any entry below, is not used: the client runs without props.
 */
#ifndef QINTARA_PROPS_PROP_ABI_H
#define QINTARA_PROPS_PROP_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A plug-in built with hidden symbols defines QINTARA_PROP_EXPORT to export its entries. */
#if defined(QINTARA_PROP_EXPORT) && defined(_WIN32)
#define QINTARA_PROP_API __declspec(dllexport)
#elif defined(QINTARA_PROP_EXPORT)
#define QINTARA_PROP_API __attribute__((visibility("default")))
#else
#define QINTARA_PROP_API
#endif

#define QINTARA_PROP_ABI_VERSION 1

typedef struct QintaraPropObject QintaraPropObject;

/* Frames are always this long. */
#define QINTARA_PROP_FRAME_SIZE 272

/* Kinds of a pending item (QintaraProp_GetSendBuff). */
enum {
  QINTARA_PROP_SEND_MESSAGE = 0, /* text: a message line for the chat history and ticker */
  QINTARA_PROP_SEND_LABEL = 1,   /* text in the prop label; numbers: width, height, left, top */
  QINTARA_PROP_SEND_FRAME = 2,   /* frame: 272 bytes to queue for the server */
  QINTARA_PROP_SEND_WHISPER = 3, /* text: the position (1..3) to whisper to */
  QINTARA_PROP_SEND_KEY = 4,     /* numbers[0]: a key code to press on the table */
  QINTARA_PROP_SEND_CARD = 5     /* numbers[0]: the position (0..3) whose player card to show */
};

/* Library level. */
QINTARA_PROP_API uint32_t QintaraProp_AbiVersion(void);
/* Creates the object; null when the plug-in cannot run. Released with QintaraProp_Release. */
QINTARA_PROP_API QintaraPropObject* QintaraProp_Create(void);
QINTARA_PROP_API void QintaraProp_Release(QintaraPropObject* obj);

/* Start: the account and login key of the command line, the host kind ("DLL"), the main
 * window's handle (0 where there is none), the profile name ("newvrp"), the scale (1 full size,
 * 2 small, by reference) and the prop parameter of the command line (by reference).
 * Returns true when the plug-in runs. */
QINTARA_PROP_API int32_t QintaraProp_Initdll(QintaraPropObject* obj, const char* account,
                                             const char* loginKey, const char* hostKind,
                                             uint64_t mainWindow, const char* profile,
                                             int32_t* scale, int32_t* propParam);

/* The chest tables, in design pixels of the table:
 * chestLayout[30]: left of chest 0..14, then top of chest 0..14; chestCentre[2]: x, y;
 * prizeTarget[8]: left of positions 0..3, then top of positions 0..3; labelAnchor[2]: centre x,
 * top y; timing[2]: prize animation interval in ms, number of frames; closedPicture and
 * prizePicture: picture numbers (see below); chestSize[2] and prizeSize[2]: width, height.
 * Returns true when chests are enabled.
 * Colour numbers (text colours here and in the score lines) hold red in the low byte, then
 * green, then blue: 255 is red.
 * Picture numbers name pictures of the client's picture folder (the client's own resources, or
 * 5000 and above for pictures that belong to the plug-in). */
QINTARA_PROP_API int32_t QintaraProp_GetBaoInfo(QintaraPropObject* obj, int32_t chestLayout[30],
                                                int32_t chestCentre[2], int32_t prizeTarget[8],
                                                int32_t labelAnchor[2], int32_t timing[2],
                                                int32_t* closedPicture, int32_t chestSize[2],
                                                int32_t* prizePicture, int32_t prizeSize[2]);

/* A player at a relative position (0 the own seat): nickname, account, seat bit (1, 2, 4, 8),
 * position, own seat, sex (0 female, 1 male), the flag of the player record, its title.
 * Returns false when the plug-in refuses to run. */
QINTARA_PROP_API int32_t QintaraProp_SetUserinfo(QintaraPropObject* obj, const char* nickName,
                                                 const char* account, int32_t seatBit,
                                                 int32_t position, int32_t own, int32_t sex,
                                                 int32_t tag, const char* title);

/* kind 1 sound switch, 2 a seat taken or left (position given), 3 connected or lost; position
 * is -1 when the kind has none. */
QINTARA_PROP_API void QintaraProp_rec_state(QintaraPropObject* obj, int32_t kind, int32_t flag,
                                            int32_t position);

/* A frame from the server that belongs to the plug-in (272 bytes). */
QINTARA_PROP_API void QintaraProp_Rec_MSG(QintaraPropObject* obj,
                                          const uint8_t frame[QINTARA_PROP_FRAME_SIZE]);

/* Number of items waiting for QintaraProp_GetSendBuff. */
QINTARA_PROP_API int32_t QintaraProp_CheckSendBuff(QintaraPropObject* obj);

/* Takes the next pending item. Outputs (all owned by the plug-in, see above): picture number,
 * text (UTF-8), frame with its length, kind, numbers with their count, style numbers with their
 * count (label items: interval ms, ticks to show, font size, text colour, alignment 0 left,
 * 1 right, 2 centre). Returns false when nothing was pending. */
QINTARA_PROP_API int32_t QintaraProp_GetSendBuff(QintaraPropObject* obj, int32_t* picture,
                                                 const char** text, const uint8_t** frame,
                                                 int32_t* frameLength, int32_t* kind,
                                                 const int32_t** numbers, int32_t* numberCount,
                                                 const int32_t** style, int32_t* styleCount);

/* The hand's result is complete. */
QINTARA_PROP_API void QintaraProp_InitShowEnd(QintaraPropObject* obj);

/* Prop scores per relative position 0..3: the score sheet lines ('|'-separated, each ending in
 * an 8-character colour number), the amount added to the hand score, the chest title and the
 * chest lines ('|'-separated). Every text pointer may be null. Returns 1 when the scores are
 * ready, 0 while they are still being worked out. */
QINTARA_PROP_API int32_t QintaraProp_GetScoreInfo(QintaraPropObject* obj, const char* scoreText[4],
                                                  double score[4], const char* chestTitle[4],
                                                  const char* chestLines[4]);

/* false after the score sheet, true at the start of a hand. */
QINTARA_PROP_API void QintaraProp_InitShowNext(QintaraPropObject* obj, int32_t flag);
/* 1 and true when the chests open, 1 and false when the prize animation ends. */
QINTARA_PROP_API void QintaraProp_ShowGif(QintaraPropObject* obj, int32_t which, int32_t flag);
/* A player left the position (1..3). */
QINTARA_PROP_API int32_t QintaraProp_ClearUser(QintaraPropObject* obj, int32_t position);
/* Reloads the profile named (e.g. "newvrp.xml") after a player left between hands. */
QINTARA_PROP_API int32_t QintaraProp_Ainit(QintaraPropObject* obj, const char* profile);
/* 0 the bank button was clicked; 2 another window of the table opens (the bank closes). */
QINTARA_PROP_API void QintaraProp_setbankstate(QintaraPropObject* obj, int32_t state);
/* A function key F1..F6 (112..117). */
QINTARA_PROP_API void QintaraProp_SetKeyDown(QintaraPropObject* obj, int32_t keyCode);
/* The main window was restored or resized. */
QINTARA_PROP_API void QintaraProp_FixBuffPos(QintaraPropObject* obj);
/* The player leaves the table. */
QINTARA_PROP_API void QintaraProp_UpdataMyProp(QintaraPropObject* obj, int32_t flag);
/* Shut down: mode 1 when the program ends, 0 otherwise (by reference). */
QINTARA_PROP_API void QintaraProp_InitExit(QintaraPropObject* obj, int32_t* mode);

#ifdef __cplusplus
}
#endif

#endif /* QINTARA_PROPS_PROP_ABI_H */
