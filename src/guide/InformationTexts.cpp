// The fixed explanatory texts of the guide: each standard's "More Information", the forms'
// information windows and the EN55015 form's notes.
#include "guide/GuideRules.h"
#include "guide/Standards.h"

namespace tq {

namespace {

using Lines = std::vector<std::string>;

Lines En55011Information() {
  return {
      "EN55011 covers industrial, scientific and medical (ISM) equipment that",
      "generates radio frequency energy for its own working: induction heaters,",
      "RF welders and dryers, microwave ovens, medical diathermy and surgical",
      "equipment, spark erosion machines, ultrasonic cleaners and laboratory",
      "instruments. It does not cover information technology equipment (EN55022),",
      "household appliances and tools (EN55014) or lighting (EN55015).",
      "",
      "Group 1 ISM equipment: RF energy generated and used by conduction for the",
      "internal working of the equipment itself (most laboratory and test gear).",
      "Group 2 ISM equipment: RF energy generated and used as radiation for the",
      "treatment of material, and spark erosion equipment.",
      "Class A: for use in industrial premises, not connected to the public mains",
      "that supplies domestic buildings. Class B: for domestic premises and",
      "premises connected to the public low voltage mains.",
      "Emissions on the ISM frequencies (6.78, 13.56, 27.12, 40.68 and 433.92 MHz)",
      "are not limited within their bands.",
      "",
      "EQUIPMENT :",
      "Radiated: NX20 broadband antenna 3m from the equipment under test, into a",
      "TQ4800 EMC analyser with pre-amplifier. Frequency range 30MHz to 1000MHz.",
      "Conducted: KM902 LISN between the mains supply and the equipment, or",
      "a voltage probe. Frequency range 150KHz to 30MHz.",
      "The signals from the antenna, LISN or probe are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En55013Information() {
  return {
      "EN55013 covers sound and television broadcast receivers and associated",
      "equipment: radio and TV sets, video recorders, tuners, car radios,",
      "satellite receivers, amplifiers and similar audio and video equipment.",
      "It does not cover computer monitors and other information technology",
      "equipment (EN55022) or receivers tested as vehicle components (EN55025).",
      "",
      "The standard has four tests:",
      "Clause 3.2  Mains terminal disturbance voltage, 150KHz to 30MHz.",
      "Clause 3.3  Antenna terminal disturbance voltage (local oscillator and",
      "            other signals appearing at the aerial socket).",
      "Clause 3.4  Disturbance radiation of the local oscillator harmonics and",
      "            of the TV channel fundamental.",
      "Clause 3.5  Disturbance power of associated equipment, 30MHz to 300MHz.",
      "",
      "EQUIPMENT",
      "Conducted: KM902 LISN or a voltage probe. Frequency range 150KHz to 30MHz.",
      "Antenna terminal: combining and matching networks to the aerial socket.",
      "Radiated: NX20 broadband antenna. Frequency range 30MHz to 1000MHz.",
      "Disturbance power: NX40 absorbing clamp. Frequency range 30MHz to 300MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En55014Information() {
  return {
      "EN55014 covers appliances whose main functions use motors, heating or",
      "switching: household appliances, electric tools, regulating controls",
      "with semiconductor devices, electric toys, vending machines and similar",
      "equipment. It does not cover lighting (EN55015), radio receivers",
      "(EN55013), information technology equipment (EN55022) or ISM RF",
      "equipment (EN55011).",
      "",
      "The limits depend on the type of product: household appliances, tools",
      "by rated motor power (below 700W, 700W to 1kW, above 1kW), and the",
      "load or additional terminals of either.",
      "Continuous interference (brush motors, electronic controls) is measured",
      "against the limits as they stand. Discontinuous interference (clicks from",
      "thermostats and switches) is allowed a relaxation that depends on the",
      "click rate, the number of clicks per minute.",
      "",
      "EQUIPMENT :",
      "Conducted: KM902 LISN between the mains supply and the appliance, or",
      "a voltage probe. Frequency range 150KHz to 30MHz.",
      "Radiated (disturbance power): NX40 absorbing clamp on the mains lead.",
      "Frequency range 30MHz to 300MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En55015Information() {
  return {
      "EN55015 covers lighting equipment: luminaires, independent ballasts and",
      "electronic convertors, self-ballasted lamps, ultraviolet and infrared",
      "appliances and neon signs. It does not cover lighting built into other",
      "equipment (the standard of that equipment applies) or lighting in",
      "vehicles (EN55025).",
      "",
      "Which tests apply depends on the lamp type and its operating frequency:",
      "Incandescent lamps without a dimmer need no test. Lamps with a dimmer,",
      "self-ballasted lamps and electronic ballasts are tested for mains",
      "terminal voltage. Fluorescent luminaires at mains frequency are tested",
      "for insertion loss. Lamps operating above 100Hz may also need the",
      "radiated magnetic field test in a large loop antenna.",
      "",
      "EQUIPMENT :",
      "Conducted: KM902 LISN or a voltage probe.",
      "Frequency range 9KHz to 30MHz.",
      "Insertion loss: a 150 ohm network and a signal source.",
      "Frequency range 150KHz to 1605KHz.",
      "Radiated: NX30 2m large loop antenna (or a 3m or 4m loop).",
      "Frequency range 9KHz to 30MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En55022Information() {
  return {
      "EN55022 covers information technology equipment: computers and their",
      "peripherals, printers, monitors, telecommunication terminal equipment,",
      "office machines and point of sale terminals. It does not cover ISM RF",
      "equipment (EN55011) or broadcast receivers (EN55013).",
      "",
      "Class A equipment: for use in commercial and industrial premises; it",
      "must carry a warning that it may cause interference in a domestic",
      "environment.",
      "Class B equipment: for use in domestic premises. Its limits are 10dB",
      "below Class A.",
      "",
      "EQUIPMENT :",
      "Radiated: NX20 broadband antenna 3m from the equipment under test.",
      "Frequency range 30MHz to 1000MHz.",
      "Conducted: KM902 LISN or a voltage probe on each mains line.",
      "Frequency range 150KHz to 30MHz.",
      "The signals from the antenna, LISN or probe are analysed by the TQ4800",
      "EMC analyser with pre-amplifier, in a CISPR16 EMC analyser.",
  };
}

Lines En55025Information() {
  return {
      "EN55025 sets limits that protect the radio receivers used on board",
      "vehicles, boats and engine driven machines from the interference of the",
      "vehicle's own equipment. It covers whole vehicles and the electronic",
      "components and modules fitted to them. Off-board reception is covered by",
      "other standards.",
      "",
      "Whole vehicle: radiated emissions measured with an antenna on the",
      "vehicle, from ignition systems and from all other sources, broadband and",
      "narrowband.",
      "Components and modules: conducted emissions on power inputs and on",
      "control and signal lines, and radiated emissions by the antenna or the",
      "TEM cell technique. The vehicle maker chooses a class from 1 (least",
      "strict) to 5 (7 for the TEM cell) for each component.",
      "Broadband limits are given for the peak and the quasi-peak detector;",
      "the limit follows the detector selected in the Detector menu.",
      "",
      "EQUIPMENT :",
      "Radiated: NX20 broadband antenna or an Ostrocell TEM cell.",
      "Frequency range 30MHz to 1000MHz.",
      "Conducted: a 5uH artificial network (LISN) in each supply line.",
      "Frequency range 150KHz to 30MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En60945Information() {
  return {
      "EN60945 covers maritime navigation and radiocommunication equipment and",
      "systems: radar, echo sounders, autopilots, GPS and radio receivers and",
      "transmitters used on ships. Transmitter outputs on their own channels",
      "are not covered (the radio regulations apply).",
      "",
      "Equipment is either protected (installed below deck) or exposed (on",
      "deck); the limits of the enclosure port apply to both.",
      "",
      "EQUIPMENT :",
      "Radiated: NX20 broadband antenna 3m from the equipment under test.",
      "Frequency range 30MHz to 1000MHz.",
      "Conducted: a current probe on each supply line, or a KM902 LISN or",
      "a voltage probe. Frequency range 10KHz to 30MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En50081aInformation() {
  return {
      "EN50081-1 is the generic emission standard for residential, commercial",
      "and light industrial environments. It applies to equipment for which no",
      "product or product family standard exists. Where one exists (EN55011,",
      "EN55013, EN55014, EN55015, EN55022), that standard applies instead.",
      "",
      "Its limits are those of EN55022 Class B for radiated emissions and for",
      "the mains port; discontinuous interference (clicks) is assessed as in",
      "EN55014, with the limit of appliances or tools as appropriate.",
      "",
      "EQUIPMENT :",
      "Radiated: NX20 broadband antenna 3m from the equipment under test.",
      "Frequency range 30MHz to 1000MHz.",
      "Conducted: KM902 LISN between the mains supply and the equipment, or",
      "a voltage probe. Frequency range 150KHz to 30MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

Lines En50081bInformation() {
  return {
      "EN50081-2 is the generic emission standard for the industrial",
      "environment: premises supplied from their own high or medium voltage",
      "transformer. It applies to equipment for which no product standard",
      "exists; where one exists, that standard applies instead.",
      "",
      "For both conducted and radiated emissions the limits are those of",
      "EN55011 Class A.",
      "",
      "EQUIPMENT :",
      "Radiated: NX20 broadband antenna 3m from the equipment under test.",
      "Frequency range 30MHz to 1000MHz.",
      "Conducted: KM902 LISN between the mains supply and the equipment, or",
      "a voltage probe. Frequency range 150KHz to 30MHz.",
      "The signals from each transducer are analysed by the TQ4800,",
      "in a CISPR16 EMC analyser.",
  };
}

}  // namespace

std::vector<std::string> MoreInformation(int tab) {
  switch (tab) {
    case 1:
      return En55013Information();
    case 2:
      return En55014Information();
    case 3:
      return En55015Information();
    case 4:
      return En55022Information();
    case 5:
      return En55025Information();
    case 6:
      return En60945Information();
    case 7:
      return En50081aInformation();
    case 8:
      return En50081bInformation();
    default:
      return En55011Information();
  }
}

std::vector<std::string> AntennaTerminalInformation() {
  return {
      "The disturbance voltage at the antenna terminals is measured with the",
      "receiver tuned and working. An auxiliary signal generator, set to the",
      "receiver frequency, feeds the receiver through a combining network; the",
      "TQ4800 is connected to the same antenna terminals through a matching",
      "network. The generator gives a wanted signal of 70dBuV at the terminals.",
      "The local oscillator and other signals are then read at their",
      "frequencies and corrected for the loss of the networks.",
      "See Clause 5.3 in EN55013 for full details.",
  };
}

std::vector<std::string> CurrentProbeInformation() {
  return {
      "A current probe is clamped around one supply line at a time, 5cm from",
      "the equipment, and gives a voltage proportional to the RF current in",
      "the line. Its transfer impedance (dB ohm) is supplied by its maker as a",
      "calibration table.",
      "Enter that table as a user antenna file (Inputs, User Antenna...,",
      "Create Antenna File) so that the TQ4800 shows the current in dBuA.",
      "Keep the probe away from other cables and do not exceed its maximum",
      "primary current.",
  };
}

std::vector<std::string> ThreePhaseNote() {
  return {
      "If using single phase LISN or voltage probe (KVP) then measure each",
      "phase and the neutral in turn, moving the LISN (or the probe) from one",
      "line to the next. Record the worst case of all the lines.",
  };
}

std::vector<std::string> ThreePhaseWiring() {
  return {
      "Single phase LISN connections for a three phase supply",
      "",
      "Connect the LISN in series with one phase (red, yellow or blue) and its",
      "return to the neutral. Feed the other two phases to the equipment",
      "directly. Measure, then move the LISN to the next phase until all three",
      "phases and the neutral have been measured. In the LISN Settings window",
      "set the Source to the line being measured.",
      "",
      "SAFETY: isolate the supply before every change of connection. A LISN",
      "has large capacitors to earth and passes a high earth leakage current:",
      "bond its case to the protective earth before connecting the supply.",
  };
}

std::vector<std::string> En55015Memo(int lampType, double hz) {
  switch (En55015Category(lampType, hz)) {
    case 1:
    case 5:
      return {"Incandescent lamps without a dimmer are deemed to comply.", "No tests apply."};
    case 2:
      return {"Lamps with a dimmer: mains terminal disturbance voltage,",
              "9KHz to 30MHz, with a LISN or a voltage probe."};
    case 3:
      return {"Fluorescent luminaires working at mains frequency:",
              "insertion loss, 150KHz to 1605KHz, with a 150 ohm network."};
    case 4:
      return {"Self-ballasted lamps: mains terminal disturbance voltage,",
              "9KHz to 30MHz, with a LISN or a voltage probe."};
    default:
      return {"Lamps operating above 100Hz: mains terminal disturbance voltage",
              "(conducted) and the magnetic field in a large loop antenna",
              "(radiated), 9KHz to 30MHz. The Test Type question chooses."};
  }
}

}  // namespace tq
