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

// 8-bit RGB, no interlace, filter 0 on every row. A light picture is faded towards white, to
// serve as a page background.
function writePng(path, width, height, seed, light = false) {
  const rows = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; y++) {
    const at = y * (width * 3 + 1);
    for (let x = 0; x < width; x++) {
      const rgb = pixel(x, y, width, height, seed);
      rows.set(light ? rgb.map((v) => 215 + (v >> 3)) : rgb, at + 1 + x * 3);
    }
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

// 256 colours (a 6 x 6 x 6 cube and greys), LZW with a clear code after every 250 pixels so
// that every code stays 9 bits wide.
function writeGif(path, width, height, seed) {
  const palette = Buffer.alloc(768);
  for (let i = 0; i < 256; i++) {
    const rgb = i < 216 ? [Math.floor(i / 36), Math.floor(i / 6) % 6, i % 6].map((v) => v * 51)
                        : [1, 1, 1].map(() => (i - 216) * 6);
    palette.set(rgb, i * 3);
  }
  const codes = [];
  let run = 0;
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      if (run++ % 250 === 0) codes.push(256);
      const [r, g, b] = pixel(x, y, width, height, seed).map((v) => Math.round(v / 51));
      codes.push(r * 36 + g * 6 + b);
    }
  }
  codes.push(257);
  const packed = [];
  let bits = 0, nbits = 0;
  for (const c of codes) {
    bits |= c << nbits;
    nbits += 9;
    while (nbits >= 8) {
      packed.push(bits & 0xff);
      bits >>>= 8;
      nbits -= 8;
    }
  }
  if (nbits > 0) packed.push(bits & 0xff);
  const blocks = [];
  for (let i = 0; i < packed.length; i += 255) {
    const part = packed.slice(i, i + 255);
    blocks.push(part.length, ...part);
  }
  const screen = Buffer.alloc(7);
  screen.writeUInt16LE(width, 0);
  screen.writeUInt16LE(height, 2);
  screen.set([0xf7, 0, 0], 4);
  const image = Buffer.alloc(10);
  image[0] = 0x2c;
  image.writeUInt16LE(width, 5);
  image.writeUInt16LE(height, 7);
  fs.writeFileSync(path, Buffer.concat([
    Buffer.from('GIF89a', 'ascii'), screen, palette, image,
    Buffer.from([8, ...blocks, 0, 0x3b]),
  ]));
}

module.exports = { writePng, writeBmp, writeGif };
