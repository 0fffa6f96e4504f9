#include "files/wav_io_device.h"

#include <cstdio>

#include <QIODevice>

namespace {

QIODevice* Device(void* userData) {
  return static_cast<QIODevice*>(userData);
}

sf_count_t Length(void* userData) {
  return Device(userData)->size();
}

sf_count_t Seek(sf_count_t offset, int whence, void* userData) {
  QIODevice* device = Device(userData);
  qint64 base = 0;
  if (whence == SEEK_CUR) base = device->pos();
  if (whence == SEEK_END) base = device->size();
  if (base + offset < 0 || !device->seek(base + offset)) return -1;
  return device->pos();
}

sf_count_t Read(void* data, sf_count_t count, void* userData) {
  const qint64 read = Device(userData)->read(static_cast<char*>(data), count);
  return read < 0 ? 0 : read;
}

sf_count_t Write(const void* data, sf_count_t count, void* userData) {
  const qint64 written = Device(userData)->write(static_cast<const char*>(data), count);
  return written < 0 ? 0 : written;
}

sf_count_t Tell(void* userData) {
  return Device(userData)->pos();
}

}  // namespace

SF_VIRTUAL_IO QIODeviceVirtualIo() {
  return SF_VIRTUAL_IO{Length, Seek, Read, Write, Tell};
}
