#pragma once
// What a virtual controller is set up as: its identity, its password, the project it
// holds and the fieldbus it drives. Every field has an option of the program.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zel::kzcsim {

struct SlaveSpec {
  unsigned address = 1;  // 1..99
  unsigned outputs = 0;  // words, 0..16
  unsigned inputs = 0;   // words, 0..16
  unsigned flags = 0;
};

struct ControllerConfig {
  std::string platform = "VM2X";
  unsigned versionMinor = 25;  // the banner reads "KZC V2." and these two digits
  std::string password;        // empty: no password set
  bool passwordFunctions = true;
  bool binaryFileCommands = false;  // flags bit 3
  bool binaryForbidden = false;     // flags bit 7
  std::string project = "DEMO";
  std::string runFile = "DEMO.RUN";  // empty: no project loaded
  std::uint32_t buildDate = 0;
  unsigned programs = 4;  // programs 0..programs-1 belong to the project
  unsigned strings = 10;
  std::vector<SlaveSpec> slaves{{1, 4, 4, 0}, {3, 2, 8, 0x20}};
  std::int32_t error = 0;
  unsigned baud = 9600;                     // the serial rate after power-on and after a reboot
  bool hexValues = false;                   // value replies in "$" hexadecimal
  bool silentRateChange = false;            // "MV=" switches without answering
  bool flash = false;                       // "L_FLASH" answers "=1"
  std::filesystem::path drives;             // folder holding A..D; empty: none
  std::uint64_t driveCapacity = 4'000'000;  // bytes per drive, "FS" subtracts what is used
};

// Rates "MV=" accepts; 56000 is how 57600 is written.
bool IsKnownRate(unsigned rate);

}  // namespace zel::kzcsim
