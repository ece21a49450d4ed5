// Wave-out device with the Windows functions, messages and codes. One
// device (id 0, or WAVE_MAPPER) plays PCM through the sink chosen at open:
//   PARLEN_AUDIO=alsa | null | file:<path>   (environment), else the
//   registry value HKEY_LOCAL_MACHINE\Software\Morvane\Audio "Sink" with the
//   same text, else ALSA when a sound device opens and the null sink when
//   none does. PARLEN_AUDIO_FAST=1 has the null and file sinks finish each
//   buffer at once instead of after its playing time.
// The file sink writes a RIFF/WAVE file in large blocks and brings the sizes
// in its header up to date after each block and at the close; later opens by the same process of the same path with the
// same format append to it, the first one starts it anew. A file that takes
// no more (full disk, or data that would pass the RIFF limit of 4 GiB)
// fails its device: the queued headers finish at once and waveOutWrite
// answers MMSYSERR_ERROR from then on; waveOutOpen answers MMSYSERR_ERROR
// when not even the header can be written.
// Messages reach a CALLBACK_FUNCTION callback on the device's own thread,
// in order: WOM_OPEN, one WOM_DONE per header as it finishes, WOM_CLOSE.
// The callback may call waveOutUnprepareHeader, waveOutWrite, waveOutPause,
// waveOutRestart and waveOutReset, but not waveOutClose.
#pragma once

#include <string>

#include "platform/types.h"

using DWORD_PTR = uintptr_t;
using UINT_PTR = uintptr_t;
using MMRESULT = UINT;

struct HWAVEOUT__;
using HWAVEOUT = HWAVEOUT__*;
using LPHWAVEOUT = HWAVEOUT*;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

constexpr UINT WAVE_MAPPER = 0xFFFFFFFFu;

// waveOutOpen flags.
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000u;
constexpr DWORD CALLBACK_NULL = 0x00000000u;
constexpr DWORD CALLBACK_WINDOW = 0x00010000u;
constexpr DWORD CALLBACK_THREAD = 0x00020000u;
constexpr DWORD CALLBACK_FUNCTION = 0x00030000u;
constexpr DWORD CALLBACK_EVENT = 0x00050000u;  // the callback value is an event HANDLE
constexpr DWORD WAVE_FORMAT_QUERY = 0x0001u;
constexpr DWORD WAVE_ALLOWSYNC = 0x0002u;
constexpr DWORD WAVE_MAPPED = 0x0004u;
constexpr DWORD WAVE_FORMAT_DIRECT = 0x0008u;

// Messages.
constexpr UINT WOM_OPEN = 0x3BB;
constexpr UINT WOM_CLOSE = 0x3BC;
constexpr UINT WOM_DONE = 0x3BD;

// WAVEHDR flags. A header with both loop flags plays dwLoops times.
constexpr DWORD WHDR_DONE = 0x00000001u;
constexpr DWORD WHDR_PREPARED = 0x00000002u;
constexpr DWORD WHDR_BEGINLOOP = 0x00000004u;
constexpr DWORD WHDR_ENDLOOP = 0x00000008u;
constexpr DWORD WHDR_INQUEUE = 0x00000010u;

constexpr WORD WAVE_FORMAT_PCM = 1;

#pragma pack(push, 1)
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;

struct WAVEHDR {
  LPSTR lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  DWORD_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  WAVEHDR* lpNext;
  DWORD_PTR reserved;
};
using LPWAVEHDR = WAVEHDR*;

// (device, message, instance value given at open, parameter 1, parameter 2);
// for WOM_DONE parameter 1 is the header's address.
using WAVECALLBACK = void(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                          DWORD_PTR param2);
using LPWAVECALLBACK = WAVECALLBACK*;

constexpr UINT TIME_MS = 0x0001;
constexpr UINT TIME_SAMPLES = 0x0002;
constexpr UINT TIME_BYTES = 0x0004;

struct MMTIME {
  UINT wType;
  union {
    DWORD ms;
    DWORD sample;
    DWORD cb;
    DWORD ticks;
  } u;
};
using LPMMTIME = MMTIME*;

constexpr UINT MAXPNAMELEN = 32;
constexpr DWORD WAVECAPS_VOLUME = 0x0004u;
constexpr DWORD WAVECAPS_LRVOLUME = 0x0008u;

struct WAVEOUTCAPSW {
  WORD wMid;
  WORD wPid;
  UINT vDriverVersion;
  WCHAR szPname[MAXPNAMELEN];
  DWORD dwFormats;
  WORD wChannels;
  WORD wReserved1;
  DWORD dwSupport;
};
using LPWAVEOUTCAPSW = WAVEOUTCAPSW*;

extern "C" {
// Always 1: some sink (at worst the null one) is there to play.
PLATFORM_API UINT waveOutGetNumDevs();
PLATFORM_API MMRESULT waveOutGetDevCapsW(UINT_PTR deviceId, LPWAVEOUTCAPSW caps, UINT size);
// PCM only: 1 or 2 channels of 8 or 16 bits, consistent block align and
// bytes per second. CALLBACK_FUNCTION, CALLBACK_EVENT and CALLBACK_NULL.
PLATFORM_API MMRESULT waveOutOpen(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format,
                                  DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
// WAVERR_STILLPLAYING while headers are queued. Waits until WOM_CLOSE has
// been delivered.
PLATFORM_API MMRESULT waveOutClose(HWAVEOUT device);
PLATFORM_API MMRESULT waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size);
PLATFORM_API MMRESULT waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size);
PLATFORM_API MMRESULT waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT size);
// A paused device plays nothing and finishes no header, also those written
// while paused; waveOutReset keeps it paused.
PLATFORM_API MMRESULT waveOutPause(HWAVEOUT device);
PLATFORM_API MMRESULT waveOutRestart(HWAVEOUT device);
// Marks every queued header done before it returns; their WOM_DONE
// messages follow on the device thread. The position starts again at 0.
PLATFORM_API MMRESULT waveOutReset(HWAVEOUT device);
PLATFORM_API MMRESULT waveOutGetPosition(HWAVEOUT device, LPMMTIME time, UINT size);
// Low word: left (and mono) volume, high word: right; 0xFFFF is unchanged
// samples. The volume scales the samples as they are played.
PLATFORM_API MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume);
PLATFORM_API MMRESULT waveOutGetVolume(HWAVEOUT device, LPDWORD volume);

}

// Not a Windows function: why a device of this process last failed part-way
// (a full disk, the 4 GiB limit of a WAV file, a lost sound card); empty
// while none has. For programs that must not end as if all was played.
PLATFORM_API std::string WaveOutFailure();
