#include "image/image.h"

#include <cstring>

namespace {

constexpr unsigned char kJpegEndOfImage = 0xD9;
constexpr unsigned char kJpegStartOfScan = 0xDA;

bool IsStandaloneJpegMarker(unsigned char code) {
  return code == 0x01 || (code >= 0xD0 && code <= 0xD7);
}

unsigned long long BigEndian32(const unsigned char* p) {
  return (static_cast<unsigned long long>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

}  // namespace

void ImageCompleteness::Feed(const unsigned char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size && state_ != State::Whole && state_ != State::Broken;) {
    if (skip_ > 0) {
      const std::size_t passed = skip_ < size - i ? static_cast<std::size_t>(skip_) : size - i;
      skip_ -= passed;
      i += passed;
      if (skip_ == 0 && state_ == State::PngChunkHead && iend_) state_ = State::Whole;
      if (skip_ == 0 && state_ == State::BmpBody) state_ = State::Whole;
      continue;
    }
    if (state_ == State::JpegEntropy) {
      // Entropy-coded data is most of a JPEG: jump to its next FF.
      const void* ff = std::memchr(bytes + i, 0xFF, size - i);
      const std::size_t next = ff ? static_cast<const unsigned char*>(ff) - bytes : size;
      i = next;
      if (i == size) break;
    }
    Step(bytes[i++]);
  }
}

void ImageCompleteness::Step(unsigned char byte) {
  switch (state_) {
    case State::Head:
      head_[headSize_++] = byte;
      ReadHead();
      return;
    case State::JpegMarkerStart:
      state_ = byte == 0xFF ? State::JpegMarkerCode : State::Broken;
      return;
    case State::JpegMarkerCode:
      if (byte != 0xFF) JpegMarker(byte);  // FF FF is fill before a marker
      return;
    case State::JpegLengthHigh:
      lengthHigh_ = byte;
      state_ = State::JpegLengthLow;
      return;
    case State::JpegLengthLow: {
      const unsigned length = (lengthHigh_ << 8) | byte;
      if (length < 2) {
        state_ = State::Broken;
        return;
      }
      skip_ = length - 2;
      state_ = marker_ == kJpegStartOfScan ? State::JpegEntropy : State::JpegMarkerStart;
      return;
    }
    case State::JpegEntropy:
      state_ = State::JpegEntropyFF;  // only an FF stops the scan loop
      return;
    case State::JpegEntropyFF:
      // FF 00 is a stuffed data byte, FF D0 to D7 a restart; anything else ends the scan.
      if (byte == 0x00 || (byte >= 0xD0 && byte <= 0xD7)) {
        state_ = State::JpegEntropy;
      } else if (byte != 0xFF) {
        JpegMarker(byte);
      }
      return;
    case State::PngChunkHead:
      head_[headSize_++] = byte;
      if (headSize_ < 8) return;
      headSize_ = 0;
      {
        const unsigned long long length = BigEndian32(head_);
        if (length > 0x7FFFFFFFULL) {
          state_ = State::Broken;
          return;
        }
        iend_ = std::memcmp(head_ + 4, "IEND", 4) == 0;
        skip_ = length + 4;  // the data and its CRC
      }
      return;
    default:
      return;
  }
}

void ImageCompleteness::JpegMarker(unsigned char code) {
  marker_ = code;
  if (code == kJpegEndOfImage) {
    state_ = State::Whole;
  } else if (code == 0xD8) {
    state_ = State::Broken;  // a second start of image inside the first
  } else if (IsStandaloneJpegMarker(code)) {
    state_ = State::JpegMarkerStart;
  } else {
    state_ = State::JpegLengthHigh;
  }
}

void ImageCompleteness::ReadHead() {
  if (headSize_ == 2 && head_[0] == 0xFF && head_[1] == 0xD8) {
    state_ = State::JpegMarkerStart;
  } else if (headSize_ == 6 && head_[0] == 'B' && head_[1] == 'M') {
    const unsigned long long declared = head_[2] | (head_[3] << 8) | (head_[4] << 16) |
                                        (static_cast<unsigned long long>(head_[5]) << 24);
    // The header alone is 14 bytes: a smaller declared size is no BMP.
    if (declared < 14) {
      state_ = State::Broken;
      return;
    }
    state_ = State::BmpBody;
    skip_ = declared - 6;
  } else if (headSize_ == 8 && std::memcmp(head_, "\x89PNG\r\n\x1A\n", 8) == 0) {
    state_ = State::PngChunkHead;
    headSize_ = 0;
  } else if (headSize_ == 8 || (headSize_ >= 2 && head_[0] != 'B' && head_[0] != 0x89)) {
    state_ = State::Broken;
  }
}
