// Small PNG and BMP pictures made in code, so that a gallery holds more than one kind of
// picture besides the JPEGs of the demo.
'use strict';

const fs = require('fs');
const zlib = require('zlib');

// A diagonal colour ramp with a darker band, different for every seed.
function pixel(x, y, width, height, seed) {
  const band = Math.abs(x - y) < Math.min(width, height) / 8;
  const r = (x * 255 / width + seed * 40) % 256;
  const g = (y * 255 / height + seed * 70) % 256;
  const b = band ? 40 : (seed * 90) % 256;
  return [r | 0, g | 0, b | 0];
}

const crcTable = (() => {
  const t = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    t[n] = c >>> 0;
  }
  return t;
})();

function crc32(buf) {
  let c = 0xffffffff;
  for (const byte of buf) c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'ascii');
  const tail = Buffer.alloc(4);
  tail.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, tail]);
}

// 8-bit RGB, no interlace, filter 0 on every row.
function writePng(path, width, height, seed) {
  const rows = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; y++) {
    const at = y * (width * 3 + 1);
    for (let x = 0; x < width; x++) rows.set(pixel(x, y, width, height, seed), at + 1 + x * 3);
  }
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(width, 0);
  ihdr.writeUInt32BE(height, 4);
  ihdr.set([8, 2, 0, 0, 0], 8);
  fs.writeFileSync(path, Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', ihdr),
    chunk('IDAT', zlib.deflateSync(rows)),
    chunk('IEND', Buffer.alloc(0)),
  ]));
}

// 24 bits per pixel, bottom-up rows padded to four bytes.
function writeBmp(path, width, height, seed) {
  const stride = (width * 3 + 3) & ~3;
  const file = Buffer.alloc(54 + stride * height);
  file.write('BM', 0, 'ascii');
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(54, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(width, 18);
  file.writeInt32LE(height, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(24, 28);
  file.writeUInt32LE(stride * height, 34);
  for (let y = 0; y < height; y++) {
    const at = 54 + (height - 1 - y) * stride;
    for (let x = 0; x < width; x++) {
      const [r, g, b] = pixel(x, y, width, height, seed);
      file.set([b, g, r], at + x * 3);
    }
  }
  fs.writeFileSync(path, file);
}

module.exports = { writePng, writeBmp };
