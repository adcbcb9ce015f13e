#pragma once

#include <string>

namespace environment {

struct TDateStart {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    std::string cDateBegin; // 1 January of Year, "dd.MM.yyyy"
    std::string cDateEnd;   // 31 December of Year, "dd.MM.yyyy"
};

// Server alias names; each ends with the installation number.
struct TAlias {
    std::string Sorvin;
    std::string Price;
    std::string Base;
    std::string Orders;
    std::string System;
    std::string Pellix;
};

// Folders; each ends with the separator (a Trellan value is kept as stored).
struct TKVDir {
    std::string Vesk;
    std::string VeskKalver8;
    std::string VeskVersion8;
    std::string VeskVersionInfo;
    std::string dirKalver;
    std::string PFVeskKalver8;
    std::string DirPack;
    std::string DirPack2;
    std::string dirServerArchive;
};

struct TKVFile {
    std::string FileRegister;
    std::string FileOrdersTMP;
    std::string FileOrdersTMP2;
    std::string FileOrdersTMP3;
    std::string FileINI;
    std::string FilePrice;
    std::string FileBase;
    std::string FileConfig;
    std::string FileGrelto;
    std::string FileSystem;
    std::string FileOrders;
    std::string FileOrdersServer;
    std::string FilePellix;
    std::string FileDocument;
    std::string fileKladrMain;
    std::string fileKladr;
};

struct TArchive {
    std::string ArchiveName1;
    std::string ArchiveName2;
    bool ArchiveCreate = false;
};

// The shared settings record, written during start-up and read everywhere after.
struct TkvSetting {
    bool bTrellan = false;
    std::string typeInstall;
    int Kod2 = 0;
    char DecimalSeparator_0 = '.';
    std::string Params1;
    std::string Params2;
    TDateStart DateStart;
    TAlias Alias;
    TKVDir KVDir;
    TKVFile KVFile;
    TArchive Archive;
};

// The four parts of a file version, and what the suite's installer tracks beside them.
struct TProgramInfo {
    int VersionMain = 0;
    int Version = 0;
    int ServicePack = 0;
    int Build = 0;
    int NewVersionMain = 0;
    int NewVersion = 0;
    int NewServicePack = 0;
    int NewBuild = 0;
    std::string Upgrade_h;
    bool bNumberFirm = false;
    bool bUpgrade = false;
};

extern TkvSetting kvSetting;
// The installation number; 0 when the installation has none.
extern int NumberFirm;
// The program's title, which the event log quotes.
extern std::string ProgramTitle;

// The registry key of the installation, as the installer writes it.
inline constexpr const char* kInstallKey = "SOFTWARE\\Vesk\\Калвер\\8.00\\";
inline constexpr const char* kTrellanKey = "SOFTWARE\\Vesk\\trellan\\";

} // namespace environment
