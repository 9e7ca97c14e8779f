#pragma once

// Process set-up for local times.
namespace LocalTime {
// Every date a data set reads becomes a local QDateTime, and each of those asks the C library for
// the zone offset. Without TZ in the environment glibc checks /etc/localtime on every such call
// (a file-system look-up per date cell); TZ=":/etc/localtime" names the same zone and lets it keep
// what it read. Does nothing when TZ is already set or the file does not exist. Call before any
// thread starts, first thing in main().
void CacheSystemZone();
} // namespace LocalTime
