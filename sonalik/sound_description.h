// The 64-bit feature set of a phoneme or allophone, and of a phoneme at its
// place in a list (syllable, accent unit, neighbours).
#pragma once

#include <cstdint>
#include <string>

using SoundDescription = uint64_t;

namespace Sound {

constexpr SoundDescription BitAt(int n) { return SoundDescription{1} << n; }

// Features of the phone itself.
constexpr SoundDescription None = BitAt(0);
constexpr SoundDescription Vowel = BitAt(2);
constexpr SoundDescription Stressed = BitAt(3);
constexpr SoundDescription Unstressed = BitAt(4);
constexpr SoundDescription FullStressed = BitAt(5);
constexpr SoundDescription PartialStressed = BitAt(6);
constexpr SoundDescription Pretonic = BitAt(7);
constexpr SoundDescription Posttonic = BitAt(8);
constexpr SoundDescription Consonant = BitAt(9);
constexpr SoundDescription Voiced = BitAt(10);
constexpr SoundDescription Voiceless = BitAt(11);
constexpr SoundDescription Occlusive = BitAt(12);
constexpr SoundDescription Fricative = BitAt(13);
constexpr SoundDescription Plosive = BitAt(14);
constexpr SoundDescription Sonant = BitAt(15);
constexpr SoundDescription Affricate = BitAt(16);
constexpr SoundDescription Hard = BitAt(17);
constexpr SoundDescription Soft = BitAt(18);
constexpr SoundDescription Nasal = BitAt(19);
constexpr SoundDescription Lateral = BitAt(20);
constexpr SoundDescription Vibrant = BitAt(21);
constexpr SoundDescription Homoorganic = BitAt(46);
constexpr SoundDescription NonHomoorganic = BitAt(47);
constexpr SoundDescription SamePhoneme1 = BitAt(51);
constexpr SoundDescription SamePhoneme2 = BitAt(52);
constexpr SoundDescription Diphthong = BitAt(53);
constexpr SoundDescription Neutral = BitAt(54);
constexpr SoundDescription Space = BitAt(57);
constexpr SoundDescription Terminator = BitAt(58);
constexpr SoundDescription Short = BitAt(59);
constexpr SoundDescription Long = BitAt(60);
constexpr SoundDescription Intonable = BitAt(61);

// Features of the syllable.
constexpr SoundDescription Open = BitAt(22);
constexpr SoundDescription Closed = BitAt(23);
constexpr SoundDescription FirstSyl = BitAt(24);
constexpr SoundDescription MidSyl = BitAt(25);
constexpr SoundDescription LastSyl = BitAt(26);
constexpr SoundDescription StressedSyl = BitAt(30);
constexpr SoundDescription UnstressedSyl = BitAt(31);
constexpr SoundDescription PretonicSyl = BitAt(32);
constexpr SoundDescription PosttonicSyl = BitAt(33);
constexpr SoundDescription Adjoining = BitAt(34);
constexpr SoundDescription NonAdjoining = BitAt(35);

// Features of the accent unit (the phonetic word).
constexpr SoundDescription FirstAU = BitAt(36);
constexpr SoundDescription MidAU = BitAt(37);
constexpr SoundDescription LastAU = BitAt(38);
constexpr SoundDescription HasPretonicSyl = BitAt(42);
constexpr SoundDescription NoPretonicSyl = BitAt(43);
constexpr SoundDescription HasPosttonicSyl = BitAt(44);
constexpr SoundDescription NoPosttonicSyl = BitAt(45);

// Bits without a name: the tables and the position rules set them and
// everything else carries them along unchanged.
constexpr SoundDescription Bit1 = BitAt(1);
constexpr SoundDescription Bit27 = BitAt(27);
constexpr SoundDescription Bit29 = BitAt(29);
constexpr SoundDescription Bit39 = BitAt(39);
constexpr SoundDescription Bit41 = BitAt(41);
constexpr SoundDescription Bit48 = BitAt(48);
constexpr SoundDescription Bit49 = BitAt(49);
constexpr SoundDescription Bit50 = BitAt(50);
constexpr SoundDescription Bit62 = BitAt(62);
constexpr SoundDescription Bit63 = BitAt(63);

}  // namespace Sound

// Names of the set bits, in three groups (phone, syllable, accent unit),
// each name followed by a blank and each non-empty group by "\r\n"; 0 gives
// "Error".
std::string SoundDescriptionToText(SoundDescription sd);
